// Pixel art written as text: a palette of one-character colour names and
// pictures drawn with them, one character per pixel; '.' is see-through.
//
//   palette
//   k 1a1c2c        # character, colour as six hex digits
//   end
//   art Name 17 17  # name, width, height
//   ..kkk..         # rows; short rows are padded with '.'
//   end
#pragma once

#include <map>
#include <string>

#include "Image.h"

namespace datagen {

class ArtBook {
  public:
    // Reads every *.txt file of the folder, in name order. Palette entries are
    // shared by all files; a later entry for the same character replaces the older one
    // for the pictures that follow it.
    void LoadFolder(const std::string& folder);
    void LoadText(const std::string& text, const std::string& origin);
    const Image& Get(const std::string& name) const;
    bool Has(const std::string& name) const { return arts_.count(name) != 0; }

  private:
    std::map<char, Rgb> palette_;
    std::map<std::string, Image> arts_;
};

}  // namespace datagen

// Makes every picture and sound of the game from the art and tunes in tools/.
//   kerbo_datagen <tools folder> <data folder> [<icons folder>]
#include <cstdio>
#include <exception>
#include <filesystem>

#include "Data.h"
#include "Text.h"

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s <tools folder> <data folder> [<icons folder>]\n", argv[0]);
        return 2;
    }
    try {
        datagen::Output out{argv[2], argv[1]};
        std::filesystem::create_directories(out.dataDir + "/Images");
        std::filesystem::create_directories(out.dataDir + "/Music");
        datagen::ArtBook book;
        book.LoadFolder(out.srcDir + "/art");
        datagen::InitFonts();
        datagen::GameArt art = datagen::BuildGameArt(book);
        datagen::WriteGameImages(out, art);
        datagen::WriteScreens(out, art);
        datagen::WriteButtons(out);
        datagen::WriteWindowIcon(out, book);
        datagen::DoneFonts();
        datagen::WriteSounds(out);
        if (argc == 4) datagen::WriteIcons(book, argv[3]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kerbo_datagen: %s\n", e.what());
        return 1;
    }
    return 0;
}

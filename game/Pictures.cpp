// The images of the game screen, one for each role a cell or Oska can show
// (see Picture), loaded once per game.
#include "game/KerboImplementation.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

namespace {

uint32_t Load(const Assets::Image& image) {
    return Vitrine::LoadBitmap(image.file, image.width, image.height);
}

struct Role {
    Picture picture;
    const Assets::Image& image;
    const Assets::Image* mask;
};

}  // namespace

void LoadGamePictures() {
    const Role roles[] = {
        {Picture::OskaLeft1, Assets::OskaLeft1, &Assets::OskaLeftMask1},
        {Picture::OskaRight1, Assets::OskaRight1, &Assets::OskaRightMask1},
        {Picture::OskaLeft2, Assets::OskaLeft2, &Assets::OskaLeftMask2},
        {Picture::OskaRight2, Assets::OskaRight2, &Assets::OskaRightMask2},
        {Picture::TrampolineGreen, Assets::TrampolineGreen, nullptr},
        {Picture::TrampolineBlue, Assets::TrampolineBlue, nullptr},
        {Picture::TrampolineYellow, Assets::TrampolineYellow, nullptr},
        {Picture::TrampolineRed, Assets::TrampolineRed, nullptr},
        {Picture::DoorLeftOpen, Assets::DoorLeftOpen, nullptr},
        {Picture::DoorLeftClosed, Assets::DoorLeftClosed, nullptr},
        {Picture::DoorRightOpen, Assets::DoorRightOpen, nullptr},
        {Picture::DoorRightClosed, Assets::DoorRightClosed, nullptr},
        {Picture::ShockLeftOpen, Assets::ShockDoorLeftOpen, nullptr},
        {Picture::ShockLeftClosed, Assets::ShockDoorLeftClosed, nullptr},
        {Picture::ShockRightOpen, Assets::ShockDoorRightOpen, nullptr},
        {Picture::ShockRightClosed, Assets::ShockDoorRightClosed, nullptr},
        {Picture::Item1, Assets::Item1, nullptr},
        {Picture::Item2, Assets::Item2, nullptr},
        {Picture::Item3, Assets::Item3, nullptr},
        {Picture::Item4, Assets::Item4, nullptr},
        {Picture::Item5, Assets::Item5, nullptr},
    };
    GamePictures p;
    for (const Role& role : roles) {
        const auto k = static_cast<std::size_t>(role.picture);
        p.image[k] = Load(role.image);
        if (role.mask) p.mask[k] = Load(*role.mask);
    }
    p.waveLeft = Load(Assets::WaveLeft);
    p.waveLeftMask = Load(Assets::WaveLeftMask);
    p.waveRight = Load(Assets::WaveRight);
    p.waveRightMask = Load(Assets::WaveRightMask);
    p.image[static_cast<std::size_t>(Picture::Passage)] = Load(Assets::Passage);
    p.image[static_cast<std::size_t>(Picture::Shaft)] = Load(Assets::Elevator);
    p.image[static_cast<std::size_t>(Picture::ShaftTop)] = Load(Assets::EndElevator);
    p.image[static_cast<std::size_t>(Picture::Ceiling)] = Load(Assets::Ceiling);
    p.image[static_cast<std::size_t>(Picture::Wall)] = Load(Assets::Wall);
    p.cat = Load(Assets::Enemy);
    p.catMask = Load(Assets::EnemyMask);
    Pictures = p;
}

}  // namespace KerboImplementation

// Setting up play: a new game (counters, the cats' speed, the game's images
// and the cell templates) and one attempt at a level (Oska at his start,
// the cats at random places, the house rebuilt from the level's letters and
// its items numbered).
#include "game/KerboImplementation.h"
#include "util/StandardLib.h"
#include "window/Vitrine.h"

namespace KerboImplementation {

namespace {

constexpr float StartX = 450.0f;
constexpr float StartY = 439.0f;

uint32_t Load(const Assets::Image& image) {
    return Vitrine::LoadBitmap(image.file, image.width, image.height);
}

Blok Template(Initial kind, uint32_t bitmap) {
    Blok b;
    b.Initial = kind;
    b.Bitmap = bitmap;
    b.DoorOpen = false;
    b.WhichItem = ItemInitial::i1;
    b.Points = 0;
    return b;
}

}  // namespace

void LoadGame() {
    Lifes = 4;
    Score = 0;
    ActualLevel = 1;

    switch (LevelDifficulty) {
        case Difficulty::Easy:
            RelativeSpeedCatX = 0.75f;
            break;
        case Difficulty::Medium:
            RelativeSpeedCatX = 1.0f;
            break;
        case Difficulty::Hard:
            RelativeSpeedCatX = 1.75f;
            break;
    }

    ManBitmaps.Left1 = Load(Assets::OskaLeft1);
    ManBitmaps.Right1 = Load(Assets::OskaRight1);
    ManBitmaps.LeftMask1 = Load(Assets::OskaLeftMask1);
    ManBitmaps.RightMask1 = Load(Assets::OskaRightMask1);
    ManBitmaps.Left2 = Load(Assets::OskaLeft2);
    ManBitmaps.Right2 = Load(Assets::OskaRight2);
    ManBitmaps.LeftMask2 = Load(Assets::OskaLeftMask2);
    ManBitmaps.RightMask2 = Load(Assets::OskaRightMask2);

    TrampolineBitmaps.Green = Load(Assets::TrampolineGreen);
    TrampolineBitmaps.Blue = Load(Assets::TrampolineBlue);
    TrampolineBitmaps.Yellow = Load(Assets::TrampolineYellow);
    TrampolineBitmaps.Red = Load(Assets::TrampolineRed);

    DoorBitmaps.LeftOpen = Load(Assets::DoorLeftOpen);
    DoorBitmaps.LeftClosed = Load(Assets::DoorLeftClosed);
    DoorBitmaps.RightOpen = Load(Assets::DoorRightOpen);
    DoorBitmaps.RightClosed = Load(Assets::DoorRightClosed);
    DoorBitmaps.ShockLeftOpen = Load(Assets::ShockDoorLeftOpen);
    DoorBitmaps.ShockLeftClosed = Load(Assets::ShockDoorLeftClosed);
    DoorBitmaps.ShockRightOpen = Load(Assets::ShockDoorRightOpen);
    DoorBitmaps.ShockRightClosed = Load(Assets::ShockDoorRightClosed);

    ItemBitmaps.Item1 = Load(Assets::Item1);
    ItemBitmaps.Item2 = Load(Assets::Item2);
    ItemBitmaps.Item3 = Load(Assets::Item3);
    ItemBitmaps.Item4 = Load(Assets::Item4);
    ItemBitmaps.Item5 = Load(Assets::Item5);

    ShockWaveBitmaps.Left = Load(Assets::WaveLeft);
    ShockWaveBitmaps.MaskLeft = Load(Assets::WaveLeftMask);
    ShockWaveBitmaps.Right = Load(Assets::WaveRight);
    ShockWaveBitmaps.MaskRight = Load(Assets::WaveRightMask);

    // Every level starts with its doors closed and its trampolines green.
    Passage = Template(Initial::p, Load(Assets::Passage));
    Elevator = Template(Initial::e, Load(Assets::Elevator));
    EndElevator = Template(Initial::n, Load(Assets::EndElevator));
    Ceiling = Template(Initial::c, Load(Assets::Ceiling));
    Item = Template(Initial::i, 0);  // each item gets its own image from CreateItems
    Trampoline = Template(Initial::t, TrampolineBitmaps.Green);
    DoorRight = Template(Initial::D, DoorBitmaps.RightClosed);
    DoorLeft = Template(Initial::d, DoorBitmaps.LeftClosed);
    ShockDoorRight = Template(Initial::S, DoorBitmaps.ShockRightClosed);
    ShockDoorLeft = Template(Initial::s, DoorBitmaps.ShockLeftClosed);
    Wall = Template(Initial::w, Load(Assets::Wall));
}

void LoadLevel(uint32_t Level) {
    // Called with Level = ActualLevel: 5 cats on levels 1-2, up to 8 on 9-10.
    CurrentAmountOfEnemy = Level / 3 + 5;

    Man.x = StartX;
    Man.y = StartY;
    Man.HaveToFall = true;
    Man.Bitmap = ManBitmaps.Right1;
    Man.MaskBitmap = ManBitmaps.RightMask1;
    Man.Controlable = true;
    Man.Hit = false;

    for (Enemy& cat : EnemyArr) cat.StillExisting = false;

    // One pair of cat images per set-up, shared by its cats, so the bitmap
    // table grows by two entries per attempt instead of two per cat.
    uint32_t catBitmap = 0;
    uint32_t catMask = 0;
    for (uint32_t i = 1; i <= CurrentAmountOfEnemy; ++i) {
        Enemy& cat = EnemyArr[i];
        // x before y, cat by cat: the draws decide where every cat stands.
        cat.x = static_cast<float>(StandardLib::RandomCard(151, 650));
        cat.y = static_cast<float>(StandardLib::RandomCard(151, 350));
        if (i == 1) {
            catBitmap = Load(Assets::Enemy);
            catMask = Load(Assets::EnemyMask);
        }
        cat.Bitmap = catBitmap;
        cat.MaskBitmap = catMask;
        cat.Direction = Direction::Left;
        cat.Controlable = true;
        cat.HitByShock = false;
        cat.StillExisting = true;
    }

    Jumps = 0;
    ItemsFound = 0;
    Pause = false;
    AllShockWaves.NumberOfWaves = 0;
    for (ShockWave& wave : AllShockWaves.Waves) wave.StillExisting = false;

    InputLevels();
    const ::KerboImplementation::Level& letters = Game[Level];
    for (uint32_t row = 1; row <= Rows; ++row) {
        for (uint32_t column = 1; column <= Columns; ++column) {
            House[row][column] = TemplateFor(KindOf(letters[row][column]));
        }
    }

    ItemsTotal = HowManyItems(Level);
    CreateItems();
}

uint32_t HowManyItems(uint32_t n) {
    uint32_t count = 0;
    for (const auto& row : Game[n]) {
        for (char letter : row) {
            if (letter == 'i') ++count;
        }
    }
    return count;
}

void CreateItems() {
    // In reading order the items are worth 100, 200, 300, 400, 500 and round
    // again, the same on every attempt.
    uint32_t n = 1;
    for (auto& row : House) {
        for (Blok& cell : row) {
            if (cell.Initial != Initial::i) continue;
            switch (n) {
                case 1:
                    cell.WhichItem = ItemInitial::i1;
                    cell.Bitmap = ItemBitmaps.Item1;
                    break;
                case 2:
                    cell.WhichItem = ItemInitial::i2;
                    cell.Bitmap = ItemBitmaps.Item2;
                    break;
                case 3:
                    cell.WhichItem = ItemInitial::i3;
                    cell.Bitmap = ItemBitmaps.Item3;
                    break;
                case 4:
                    cell.WhichItem = ItemInitial::i4;
                    cell.Bitmap = ItemBitmaps.Item4;
                    break;
                default:
                    cell.WhichItem = ItemInitial::i5;
                    cell.Bitmap = ItemBitmaps.Item5;
                    break;
            }
            cell.Points = n * 100;
            n = n == 5 ? 1 : n + 1;
        }
    }
}

}  // namespace KerboImplementation

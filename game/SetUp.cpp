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

uint32_t Load(const char* file, uint32_t size) {
    return Vitrine::LoadBitmap(file, size, size);
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

    ManBitmaps.Left1 = Load("Images/OskaLeft1.bmp", 35);
    ManBitmaps.Right1 = Load("Images/OskaRight1.bmp", 35);
    ManBitmaps.LeftMask1 = Load("Images/OskaLeftMask1.bmp", 35);
    ManBitmaps.RightMask1 = Load("Images/OskaRightMask1.bmp", 35);
    ManBitmaps.Left2 = Load("Images/OskaLeft2.bmp", 35);
    ManBitmaps.Right2 = Load("Images/OskaRight2.bmp", 35);
    ManBitmaps.LeftMask2 = Load("Images/OskaLeftMask2.bmp", 35);
    ManBitmaps.RightMask2 = Load("Images/OskaRightMask2.bmp", 35);

    TrampolineBitmaps.Green = Load("Images/TrampolineGreen.bmp", 50);
    TrampolineBitmaps.Blue = Load("Images/TrampolineBlue.bmp", 50);
    TrampolineBitmaps.Yellow = Load("Images/TrampolineYellow.bmp", 50);
    TrampolineBitmaps.Red = Load("Images/TrampolineRed.bmp", 50);

    DoorBitmaps.LeftOpen = Load("Images/DoorLeftOpen.bmp", 50);
    DoorBitmaps.LeftClosed = Load("Images/DoorLeftClosed.bmp", 50);
    DoorBitmaps.RightOpen = Load("Images/DoorRightOpen.bmp", 50);
    DoorBitmaps.RightClosed = Load("Images/DoorRightClosed.bmp", 50);
    DoorBitmaps.ShockLeftOpen = Load("Images/ShockDoorLeftOpen.bmp", 50);
    DoorBitmaps.ShockLeftClosed = Load("Images/ShockDoorLeftClosed.bmp", 50);
    DoorBitmaps.ShockRightOpen = Load("Images/ShockDoorRightOpen.bmp", 50);
    DoorBitmaps.ShockRightClosed = Load("Images/ShockDoorRightClosed.bmp", 50);

    ItemBitmaps.Item1 = Load("Images/Item1.bmp", 50);
    ItemBitmaps.Item2 = Load("Images/Item2.bmp", 50);
    ItemBitmaps.Item3 = Load("Images/Item3.bmp", 50);
    ItemBitmaps.Item4 = Load("Images/Item4.bmp", 50);
    ItemBitmaps.Item5 = Load("Images/Item5.bmp", 50);

    ShockWaveBitmaps.Left = Load("Images/WaveLeft.bmp", 35);
    ShockWaveBitmaps.MaskLeft = Load("Images/WaveLeftMask.bmp", 35);
    ShockWaveBitmaps.Right = Load("Images/WaveRight.bmp", 35);
    ShockWaveBitmaps.MaskRight = Load("Images/WaveRightMask.bmp", 35);

    // Every level starts with its doors closed and its trampolines green.
    Passage = Template(Initial::p, Load("Images/Passage.bmp", 50));
    Elevator = Template(Initial::e, Load("Images/Elevator.bmp", 50));
    EndElevator = Template(Initial::n, Load("Images/EndElevator.bmp", 50));
    Ceiling = Template(Initial::c, Load("Images/Ceiling.bmp", 50));
    Item = Template(Initial::i, 0);  // each item gets its own image from CreateItems
    Trampoline = Template(Initial::t, TrampolineBitmaps.Green);
    DoorRight = Template(Initial::D, DoorBitmaps.RightClosed);
    DoorLeft = Template(Initial::d, DoorBitmaps.LeftClosed);
    ShockDoorRight = Template(Initial::S, DoorBitmaps.ShockRightClosed);
    ShockDoorLeft = Template(Initial::s, DoorBitmaps.ShockLeftClosed);
    Wall = Template(Initial::w, Load("Images/Wall.bmp", 50));
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
            catBitmap = Vitrine::LoadBitmap("Images/Enemy.bmp", 35, 35);
            catMask = Vitrine::LoadBitmap("Images/EnemyMask.bmp", 35, 35);
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

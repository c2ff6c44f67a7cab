// Setting up play: a new game (counters and the cats' speed) and one attempt
// at a level (Oska at his start, the cats at random places, the house
// rebuilt from the level's letters and its items numbered).
#include "game/rules/Rules.h"
#include "util/StandardLib.h"

namespace KerboImplementation {

namespace {

constexpr float StartX = 450.0f;
constexpr float StartY = 439.0f;

}  // namespace

void NewGame(GameState& s) {
    s.Lifes = 4;
    s.Score = 0;
    s.ActualLevel = 1;
    switch (s.LevelDifficulty) {
        case Difficulty::Easy:
            s.RelativeSpeedCatX = 0.75f;
            break;
        case Difficulty::Medium:
            s.RelativeSpeedCatX = 1.0f;
            break;
        case Difficulty::Hard:
            s.RelativeSpeedCatX = 1.75f;
            break;
    }
}

void LoadLevel(GameState& s, uint32_t number) {
    // Called with number = ActualLevel: 5 cats on levels 1-2, up to 8 on 9-10.
    s.CurrentAmountOfEnemy = number / 3 + 5;

    Personage& Man = s.Man;
    Man.x = StartX;
    Man.y = StartY;
    Man.HaveToFall = true;
    Man.Look = Picture::OskaRight1;
    Man.Controlable = true;
    Man.Hit = false;

    for (Enemy& cat : s.EnemyArr) cat.StillExisting = false;
    for (uint32_t i = 1; i <= s.CurrentAmountOfEnemy; ++i) {
        Enemy& cat = s.EnemyArr[i];
        // x before y, cat by cat: the draws decide where every cat stands.
        cat.x = static_cast<float>(StandardLib::RandomCard(s.Seed, 151, 650));
        cat.y = static_cast<float>(StandardLib::RandomCard(s.Seed, 151, 350));
        cat.Direction = Direction::Left;
        cat.Controlable = true;
        cat.HitByShock = false;
        cat.StillExisting = true;
    }

    s.Jumps = 0;
    s.ItemsFound = 0;
    s.ScoreAtStart = s.Score;
    s.Pause = false;
    s.AllShockWaves.NumberOfWaves = 0;
    for (ShockWave& wave : s.AllShockWaves.Waves) wave.StillExisting = false;

    InputLevels(s);
    const ::KerboImplementation::Level& letters = s.Game[number];
    for (uint32_t row = 1; row <= Rows; ++row) {
        for (uint32_t column = 1; column <= Columns; ++column) {
            s.House[row][column] = TemplateFor(KindOf(letters[row][column]));
        }
    }

    s.ItemsTotal = HowManyItems(s, number);
    CreateItems(s.House);
}

uint32_t HowManyItems(const GameState& s, uint32_t n) {
    uint32_t count = 0;
    for (const auto& row : s.Game[n]) {
        for (char letter : row) {
            if (letter == 'i') ++count;
        }
    }
    return count;
}

void CreateItems(HouseGrid& House) {
    // In reading order the items are worth 100, 200, 300, 400, 500 and round
    // again, the same on every attempt.
    constexpr ItemInitial kinds[] = {ItemInitial::i1, ItemInitial::i2, ItemInitial::i3, ItemInitial::i4,
                                     ItemInitial::i5};
    constexpr Picture pictures[] = {Picture::Item1, Picture::Item2, Picture::Item3, Picture::Item4,
                                    Picture::Item5};
    uint32_t n = 1;
    for (auto& row : House) {
        for (Blok& cell : row) {
            if (cell.Initial != Initial::i) continue;
            cell.WhichItem = kinds[n - 1];
            cell.Look = pictures[n - 1];
            cell.Points = n * 100;
            n = n == 5 ? 1 : n + 1;
        }
    }
}

}  // namespace KerboImplementation

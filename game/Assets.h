// Every file the game opens, at the size it opens it, and the places on its
// screens that the pictures are drawn around. The game loads these, the data
// generator writes exactly these files and draws around these places, and the
// tests check them: renaming an image or moving a field is a one-line change.
#pragma once

#include <cstdint>
#include <utility>

namespace KerboImplementation::Assets {

// An image as the game loads it: file and size (the file is drawn at that size).
struct Image {
    const char* file;
    uint32_t width;
    uint32_t height;
};

// A button: its picture, the picture under the pointer and, for a shaped
// button, the mask both are drawn through (file null when there is none).
struct Button {
    Image normal;
    Image over;
    Image mask{nullptr, 0, 0};
};

struct Sound {
    const char* file;
};

struct Place {
    int32_t x;
    int32_t y;
};

// ---------------------------------------------------------------- the game screen

inline constexpr Image OskaLeft1{"Images/OskaLeft1.bmp", 35, 35};
inline constexpr Image OskaRight1{"Images/OskaRight1.bmp", 35, 35};
inline constexpr Image OskaLeftMask1{"Images/OskaLeftMask1.bmp", 35, 35};
inline constexpr Image OskaRightMask1{"Images/OskaRightMask1.bmp", 35, 35};
inline constexpr Image OskaLeft2{"Images/OskaLeft2.bmp", 35, 35};
inline constexpr Image OskaRight2{"Images/OskaRight2.bmp", 35, 35};
inline constexpr Image OskaLeftMask2{"Images/OskaLeftMask2.bmp", 35, 35};
inline constexpr Image OskaRightMask2{"Images/OskaRightMask2.bmp", 35, 35};
inline constexpr Image TrampolineGreen{"Images/TrampolineGreen.bmp", 50, 50};
inline constexpr Image TrampolineBlue{"Images/TrampolineBlue.bmp", 50, 50};
inline constexpr Image TrampolineYellow{"Images/TrampolineYellow.bmp", 50, 50};
inline constexpr Image TrampolineRed{"Images/TrampolineRed.bmp", 50, 50};
inline constexpr Image DoorLeftOpen{"Images/DoorLeftOpen.bmp", 50, 50};
inline constexpr Image DoorLeftClosed{"Images/DoorLeftClosed.bmp", 50, 50};
inline constexpr Image DoorRightOpen{"Images/DoorRightOpen.bmp", 50, 50};
inline constexpr Image DoorRightClosed{"Images/DoorRightClosed.bmp", 50, 50};
inline constexpr Image ShockDoorLeftOpen{"Images/ShockDoorLeftOpen.bmp", 50, 50};
inline constexpr Image ShockDoorLeftClosed{"Images/ShockDoorLeftClosed.bmp", 50, 50};
inline constexpr Image ShockDoorRightOpen{"Images/ShockDoorRightOpen.bmp", 50, 50};
inline constexpr Image ShockDoorRightClosed{"Images/ShockDoorRightClosed.bmp", 50, 50};
inline constexpr Image Item1{"Images/Item1.bmp", 50, 50};
inline constexpr Image Item2{"Images/Item2.bmp", 50, 50};
inline constexpr Image Item3{"Images/Item3.bmp", 50, 50};
inline constexpr Image Item4{"Images/Item4.bmp", 50, 50};
inline constexpr Image Item5{"Images/Item5.bmp", 50, 50};
inline constexpr Image WaveLeft{"Images/WaveLeft.bmp", 35, 35};
inline constexpr Image WaveLeftMask{"Images/WaveLeftMask.bmp", 35, 35};
inline constexpr Image WaveRight{"Images/WaveRight.bmp", 35, 35};
inline constexpr Image WaveRightMask{"Images/WaveRightMask.bmp", 35, 35};
inline constexpr Image Passage{"Images/Passage.bmp", 50, 50};
inline constexpr Image Elevator{"Images/Elevator.bmp", 50, 50};
inline constexpr Image EndElevator{"Images/EndElevator.bmp", 50, 50};
inline constexpr Image Ceiling{"Images/Ceiling.bmp", 50, 50};
inline constexpr Image Wall{"Images/Wall.bmp", 50, 50};
inline constexpr Image Enemy{"Images/Enemy.bmp", 35, 35};
inline constexpr Image EnemyMask{"Images/EnemyMask.bmp", 35, 35};

// ---------------------------------------------------------------- screens (800 x 500)

inline constexpr Image StartScreen{"images/background.bmp", 800, 500};
inline constexpr Image ControlsScreen{"images/Controls.bmp", 800, 500};
inline constexpr Image StoryScreen{"images/storybackground.bmp", 800, 500};
inline constexpr Image NameScreen{"images/asknamebackground.bmp", 800, 500};
inline constexpr Image HighScoreScreen{"images/highscorebackground.bmp", 800, 500};
inline constexpr Image PauseScreen{"images/pausebackground.bmp", 800, 500};
inline constexpr Image GameOverScreen{"images/gameoverbackground.bmp", 800, 500};
inline constexpr Image WinScreen{"images/youwinbackground.bmp", 800, 500};
// A pack's story and win screens: the same, without the shipped game's ten
// levels; the story leaves its fourth line free for the pack's own line.
inline constexpr Image PackStoryScreen{"images/storypackbackground.bmp", 800, 500};
inline constexpr Image PackWinScreen{"images/youwinpackbackground.bmp", 800, 500};
inline constexpr Place PackLineOnStory{80, 191};
inline constexpr uint32_t PackLineOnStoryInk = 0x1C1A28;  // the story's own ink
// The start menu names a pack in play on the grass under the buttons.
inline constexpr Place PackLineOnStart{62, 477};
inline constexpr uint32_t PackLineOnStartInk = 0xFFFFFF;

// ---------------------------------------------------------------- buttons

// The buttons of the menus, 250 x 75.
inline constexpr Button PlayButton{{"images/play0.bmp", 250, 75}, {"images/play1.bmp", 250, 75}};
inline constexpr Button DifficultyButton{{"images/difficulty0.bmp", 250, 75},
                                         {"images/difficulty1.bmp", 250, 75}};
inline constexpr Button ControlsButton{{"images/controls0.bmp", 250, 75}, {"images/controls1.bmp", 250, 75}};
inline constexpr Button HighScoresButton{{"images/highscores0.bmp", 250, 75},
                                         {"images/highscores1.bmp", 250, 75}};
inline constexpr Button QuitButton{{"images/quit0.bmp", 250, 75}, {"images/quit1.bmp", 250, 75}};
inline constexpr Button ResumeButton{{"images/resume0.bmp", 250, 75}, {"images/resume1.bmp", 250, 75}};
inline constexpr Button QuitToMenuButton{{"images/quittomenu0.bmp", 250, 75},
                                         {"images/quittomenu1.bmp", 250, 75}};
inline constexpr Button RetryButton{{"images/retry0.bmp", 250, 75}, {"images/retry1.bmp", 250, 75}};
inline constexpr Button BackButton{{"images/back0.bmp", 250, 75}, {"images/back1.bmp", 250, 75}};
// The start screen's small button into the level editor, apart from the column.
inline constexpr Button EditorButton{{"images/editor0.bmp", 150, 34}, {"images/editor1.bmp", 150, 34}};
// Its neighbour: the list of the packs one can play.
inline constexpr Button PacksButton{{"images/packs0.bmp", 150, 34}, {"images/packs1.bmp", 150, 34}};
// And the settings screen's, on their left.
inline constexpr Button SettingsButton{{"images/settings0.bmp", 150, 34}, {"images/settings1.bmp", 150, 34}};

// The difficulty selector: two arrows, a back button of its own at 200 x 100
// (lettered like the menus' buttons) through a mask, and one picture per
// difficulty in one place.
inline constexpr Button DownArrow{
    {"images/down.bmp", 50, 100}, {"images/down1.bmp", 50, 100}, {"images/down_mask.bmp", 50, 100}};
inline constexpr Button UpArrow{
    {"images/up.bmp", 50, 100}, {"images/up1.bmp", 50, 100}, {"images/up_mask.bmp", 50, 100}};
inline constexpr Button SelectorBack{{"images/selectorback0.bmp", 200, 100},
                                     {"images/selectorback1.bmp", 200, 100},
                                     {"images/back_mask.bmp", 200, 100}};
inline constexpr Image Easy{"images/easy.bmp", 200, 100};
inline constexpr Image EasyMask{"images/easy_mask.bmp", 200, 100};
inline constexpr Image Medium{"images/medium.bmp", 200, 100};
inline constexpr Image MediumMask{"images/medium_mask.bmp", 200, 100};
inline constexpr Image Hard{"images/hard.bmp", 200, 100};
inline constexpr Image HardMask{"images/hard_mask.bmp", 200, 100};

// ---------------------------------------------------------------- the window's icon

// Oska's head on a rounded square, drawn through its mask.
inline constexpr Image WindowIcon{"images/icon.bmp", 64, 64};
inline constexpr Image WindowIconMask{"images/icon_mask.bmp", 64, 64};

// ---------------------------------------------------------------- sounds

inline constexpr Sound ThemeTune{"Music/Theme.MP3"};
inline constexpr Sound LevelClearedTune{"Music/RoundClear.MP3"};
inline constexpr Sound DeathSound{"Music/Death.MP3"};
inline constexpr Sound GameOverTune{"Music/GOver.MP3"};
inline constexpr Sound WinTune{"Music/Win.MP3"};
inline constexpr Sound ItemSound{"Music/GetItem.MP3"};
inline constexpr Sound TrampolineSound{"Music/JumpTrampoline.MP3"};

// ---------------------------------------------------------------- places on the screens

// The menus' buttons stand in a column: the first at (Left, Top), each next
// one Step lower.
struct MenuColumn {
    int32_t Left, Top, Step;
};
inline constexpr MenuColumn Menus{60, 60, 80};

// The level editor's button: the start screen's top right corner, above the title.
inline constexpr Place EditorButtonAt{640, 5};
// The pack list's button: beside it on the left, clear of the title.
inline constexpr Place PacksButtonAt{485, 5};
// The settings screen's button: beside that on the left, above the column.
inline constexpr Place SettingsButtonAt{330, 5};

// The settings screen's rows, one per setting and Back last: the first at
// RowsTop, each RowHeight high; a row's name at NameX, its value at ValueX,
// between the arrows "<" at LessX and ">" at MoreX (ArrowSize square) that
// change it; a key's row has no arrows.
struct SettingsRows {
    int32_t RowsTop, RowHeight, NameX, LessX, ValueX, MoreX, ArrowSize;
};
inline constexpr SettingsRows SettingsLayout{56, 38, 40, 190, 222, 450, 22};

// The controls screen's rows: each begins with its key caps at x CapsX, the
// first row's at CapsTop and each next one RowStep lower; its words at x
// WordsX. The rows of the keys the player may choose, in order: walk (the
// left and the right key), the door, pause. A cap is CapHeight high and at
// least CapWidth wide; the right walking key's cap follows the left one's,
// CapGap apart.
struct ControlsRows {
    int32_t CapsX, CapsTop, RowStep, WordsX, CapWidth, CapHeight, CapGap;
};
inline constexpr ControlsRows Controls{360, 82, 42, 540, 30, 30, 5};

// The difficulty selector's pieces.
inline constexpr Place DownArrowAt{25, 250};
inline constexpr Place UpArrowAt{275, 250};
inline constexpr Place SelectorBackAt{25, 350};
inline constexpr Place DifficultyAt{75, 250};
// The line on what the difficulty shown changes: above the arrows, clear of the house.
inline constexpr Place DifficultyLineAt{25, 222};
inline constexpr int32_t DifficultyLineWidth = 345, DifficultyLineHeight = 20;

// Where the name entry writes the name.
inline constexpr Place NameField{480, 200};

// The status band: the counts of lives (line LivesY) and of items left
// (line ItemsY) start at CountX, each followed by its word at WordX; two
// digits must stay clear of the word.
struct StatusBand {
    int32_t CountX, WordX, LivesY, ItemsY;
};
inline constexpr StatusBand Band{178, 190, 30, 50};

// The note that M shows over the picture: centred, its top here, in the
// middle of the status band.
inline constexpr int32_t NoteTop = 36;

// The end screens: the final score and, when it entered the table, its place
// there, in lines centred on x from y on (on a card under the buttons).
inline constexpr Place EndScoreAt{185, 270};
inline constexpr int32_t EndLineStep = 22;

// The high-score screen's three lines: the place's words, the name and the
// score start at these x; the lines at these y.
inline constexpr int32_t HighScorePlaceX = 280, HighScoreNameX = 400, HighScoreScoreX = 500;
inline constexpr int32_t HighScoreLineY[3] = {210, 290, 370};

// A part of the window: from (x0, y0) up to, not including, (x1, y1).
struct Box {
    int32_t x0, y0, x1, y1;
};
// Watching a kept game: the line over the game screen that names the keys,
// and its parts that a click takes.
inline constexpr Box WatchLine{0, 72, 800, 94};
inline constexpr Box WatchFaster{520, 72, 640, 94};
inline constexpr Box WatchLeave{660, 72, 800, 94};
// The high-score screen's ways to the kept games: the watch labels beside
// the scores start at this x; the line of keys under the screen's own text
// starts at HighScoreKeysX, its part for the last game (which a click takes) is a box.
inline constexpr int32_t HighScoreWatchX = 570, HighScoreKeysX = 40;
inline constexpr Box HighScoreLast{560, 478, 780, 498};

// ---------------------------------------------------------------- every file

// The game screen's images: the game's own, in the order it loads them, then the cat's.
inline constexpr Image GameScreenImages[] = {
    OskaLeft1,
    OskaRight1,
    OskaLeftMask1,
    OskaRightMask1,
    OskaLeft2,
    OskaRight2,
    OskaLeftMask2,
    OskaRightMask2,
    TrampolineGreen,
    TrampolineBlue,
    TrampolineYellow,
    TrampolineRed,
    DoorLeftOpen,
    DoorLeftClosed,
    DoorRightOpen,
    DoorRightClosed,
    ShockDoorLeftOpen,
    ShockDoorLeftClosed,
    ShockDoorRightOpen,
    ShockDoorRightClosed,
    Item1,
    Item2,
    Item3,
    Item4,
    Item5,
    WaveLeft,
    WaveLeftMask,
    WaveRight,
    WaveRightMask,
    Passage,
    Elevator,
    EndElevator,
    Ceiling,
    Wall,
    Enemy,
    EnemyMask,
};

// The images of the screens around the game, at each size the game loads
// them, and the window's icon.
inline constexpr Image ScreenImages[] = {
    StartScreen,
    ControlsScreen,
    StoryScreen,
    NameScreen,
    HighScoreScreen,
    PauseScreen,
    GameOverScreen,
    WinScreen,
    PackStoryScreen,
    PackWinScreen,
    PlayButton.normal,
    PlayButton.over,
    DifficultyButton.normal,
    DifficultyButton.over,
    ControlsButton.normal,
    ControlsButton.over,
    HighScoresButton.normal,
    HighScoresButton.over,
    QuitButton.normal,
    QuitButton.over,
    ResumeButton.normal,
    ResumeButton.over,
    QuitToMenuButton.normal,
    QuitToMenuButton.over,
    RetryButton.normal,
    RetryButton.over,
    BackButton.normal,
    BackButton.over,
    EditorButton.normal,
    EditorButton.over,
    PacksButton.normal,
    PacksButton.over,
    SettingsButton.normal,
    SettingsButton.over,
    DownArrow.normal,
    DownArrow.over,
    DownArrow.mask,
    UpArrow.normal,
    UpArrow.over,
    UpArrow.mask,
    SelectorBack.normal,
    SelectorBack.over,
    SelectorBack.mask,
    Easy,
    EasyMask,
    Medium,
    MediumMask,
    Hard,
    HardMask,
    WindowIcon,
    WindowIconMask,
};

// Every picture drawn through a mask, with its mask.
inline constexpr std::pair<Image, Image> Masked[] = {
    {OskaLeft1, OskaLeftMask1},
    {OskaRight1, OskaRightMask1},
    {OskaLeft2, OskaLeftMask2},
    {OskaRight2, OskaRightMask2},
    {WaveLeft, WaveLeftMask},
    {WaveRight, WaveRightMask},
    {Enemy, EnemyMask},
    {DownArrow.normal, DownArrow.mask},
    {DownArrow.over, DownArrow.mask},
    {UpArrow.normal, UpArrow.mask},
    {UpArrow.over, UpArrow.mask},
    {Easy, EasyMask},
    {Medium, MediumMask},
    {Hard, HardMask},
    {WindowIcon, WindowIconMask},
};

inline constexpr Sound AllSounds[] = {ThemeTune, LevelClearedTune, DeathSound,     GameOverTune,
                                      WinTune,   ItemSound,        TrampolineSound};

}  // namespace KerboImplementation::Assets

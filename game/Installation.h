// Where the game's files are: the data folder it runs in (level files,
// images/, Music/, the shipped Highscores.txt) and the high-score file.
//
// The data folder is looked for in the working directory first (as with
// `make run`), then beside the program (and in its data/ folder, as in a
// build tree), then in ../share/kerbo next to the program's bin/ (or
// ../share/games/kerbo next to games/, as Debian lays games out), and last in
// the folder the game was installed to. The program then runs in it.
//
// The high scores stay in the data folder when that is the working directory
// and may be written; otherwise they live in the player's own data folder
// ($XDG_DATA_HOME/kerbo/), started from the shipped table.
#pragma once

#include <string>
#include <vector>

namespace KerboImplementation {

// True when the folder holds the game's data (level1.txt and images/).
bool IsDataFolder(const std::string& folder);

// The folders to look in, in order, for a program in `programDir`; the
// working directory is the first. Empty names are left out.
std::vector<std::string> DataFolderCandidates(const std::string& workingDir, const std::string& programDir);

// The index of the first candidate that is a data folder, or -1.
int FindDataFolder(const std::vector<std::string>& candidates);

// The data folder as the program's start finds it (without moving into it);
// "" when there is none.
std::string DataFolder();

// The high-score file for a data folder: "Highscores.txt" (relative: the
// game runs in the data folder) when the folder is the working directory and
// writable; else Highscores.txt in `ownFolder` (ending in '/'), copied there
// from the data folder when it is missing. With no own folder (""), the data
// folder's file, which may then be read-only.
std::string ChooseHighScoreFile(const std::string& dataFolder, bool isWorkingDir,
                                const std::string& ownFolder);

// What names a pack's own files in the player's folder: up to 40 bytes of
// the folder's name (any byte but a letter, digit, '.', '-' or '_' as '_'),
// '-', 12 hexadecimal digits of a hash of the folder's full path. Two pack
// folders never share one, and a name made of it is never too long.
std::string PackKey(const std::string& packFolder);
// The name of a pack's table there: "Highscores-" PackKey ".txt".
std::string PackTableName(const std::string& packFolder);
// The high-score file of a level pack, so that the shipped table stays a
// record of the shipped levels: PackTableName in `ownFolder` (ending in '/'),
// or with no own folder ("") Highscores.txt in the pack's folder. When it is
// missing, a table under the name of earlier versions,
// Highscores-<folder name>.txt, is renamed to it, else an empty one started.
std::string PackHighScoreFile(const std::string& packFolder, const std::string& ownFolder);
// Points HighScoreFile at the table of the pack in `packFolder`.
void UsePackHighScores(const std::string& packFolder);
// The table of the shipped levels, as the program's start chose it ("" before).
extern std::string ShippedHighScoreFile;

// The program's start: finds the data folder, makes it the working directory
// and sets HighScoreFile. False, with one line on standard error, when no
// data folder was found or it can't be entered.
bool SetUpInstallation();

}  // namespace KerboImplementation

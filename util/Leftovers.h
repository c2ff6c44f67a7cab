// Scratch files and folders that must not outlive the program, however it
// ends: removed by returning from main, by exit(), or by EndNow on a fatal
// error; and, after a kill, recognised by a later start.
#pragma once

#include <functional>
#include <string>

namespace StandardLib {

// `folder` (with whatever is in it) is removed when the program ends, unless
// Forget names it first.
void RemoveWhenEnding(const std::string& folder);
// The caller has removed `folder` itself, or keeps it after all.
void Forget(const std::string& folder);

// Work that must be done however the program ends, even at once through
// EndNow (the display gone, a broken level): unsaved levels, the settings.
// A task is kept under its name until it is set again; an empty one clears it.
void WhenEndingNow(const std::string& name, std::function<void()> task);

// Ends the program at once with `status` (no exit handlers, no destructors:
// other threads may still run), after the tasks above (once, in the order
// they were set), flushing every stdio stream (a recording then ends on a
// whole line) and removing the folders named above.
[[noreturn]] void EndNow(int status);

// Names scratch files and folders so that a later start can tell whose they
// are: `prefix`, this process's number, '-', then mkstemp's or mkdtemp's
// XXXXXX.
std::string ScratchPattern(const std::string& prefix);
// True when `name` is such a name and the process it names has ended (on
// this machine): what it left is no longer in use.
bool LeftByEndedProcess(const std::string& name, const std::string& prefix);

}  // namespace StandardLib

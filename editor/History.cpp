// Undo and redo of a level's edits, a step (a stroke of the mouse, a key
// press) at a time. A new edit after an undo drops what could be redone.
#include "editor/LevelEditor.h"

namespace LevelEditor {

void History::Begin() {
    End();
    stepOpen_ = true;
}

bool History::Paint(Level& level, Cell cell, char letter) {
    char& now = level[cell.row][cell.column];
    if (now == letter) return false;
    const bool own = !stepOpen_;
    if (own) Begin();
    open_.push_back({cell, now, letter});
    now = letter;
    if (own) End();
    return true;
}

void History::End() {
    if (!open_.empty()) {
        done_.push_back(std::move(open_));
        undone_.clear();
    }
    open_.clear();
    stepOpen_ = false;
}

bool History::Undo(Level& level) {
    End();
    if (done_.empty()) return false;
    const Step& step = done_.back();
    for (auto change = step.rbegin(); change != step.rend(); ++change) {
        level[change->cell.row][change->cell.column] = change->before;
    }
    undone_.push_back(step);
    done_.pop_back();
    return true;
}

bool History::Redo(Level& level) {
    End();
    if (undone_.empty()) return false;
    const Step& step = undone_.back();
    for (const Change& change : step) level[change.cell.row][change.cell.column] = change.after;
    done_.push_back(step);
    undone_.pop_back();
    return true;
}

}  // namespace LevelEditor

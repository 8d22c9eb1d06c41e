#pragma once
// The prompts shown beside the pointer: their texts, and which one a beginner
// sees in Music and Edit modes.

#include "edit/editor.h"
#include "model/score.h"

#include <string>

namespace qv {

// Prompt n: its text followed by its continuation (the "(purple) stave" hint).
// Empty for numbers the program has no prompt for.
std::string promptText(int number);

// The beginner prompt for the editing state; 0 outside Music and Edit modes.
int beginnerPrompt(const Editor& editor, const Score& score);

} // namespace qv

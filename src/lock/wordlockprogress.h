#pragma once

// How a character lock advances. Once a second the editor's character count is compared
// with the count at the last counted point (the base): growth of up to MaxTypedPerTick
// characters is typing and counts; more in one second is a paste and only moves the base up;
// a shrink changes nothing, so deleted characters have to be written again before progress
// resumes.
namespace WordLockProgress {

constexpr int MaxTypedPerTick = 19;

// One tick at the current `count`: updates the characters still to write and the base.
// True once the goal is met.
bool tick(int count, int& remaining, int& base);

} // namespace WordLockProgress

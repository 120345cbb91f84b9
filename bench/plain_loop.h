// The yardstick: the system calls a tagging run needs, in a plain loop with nothing around them.
#pragma once

#include <cstddef>

// In the current directory, as the front end works: lists its folders and their "*.mp3" entries
// and, per track, opens, locks, measures and reads 3 bytes at length - 128, then closes; an
// untagged track is then opened, locked, measured, written 128 bytes at its end and closed. Gives
// the number of tracks visited.
std::size_t PlainLoop();

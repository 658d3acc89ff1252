#pragma once

#include <cstdint>

// Waits for one key press on the controlling terminal, whatever standard input is, and
// returns its code (see decode_key); -1 at once when there is no terminal to read from.
std::int32_t wait_for_key();

// What to do, besides restoring the terminal, when a signal ends the process during the key
// wait: only async-signal-safe calls. The results are complete by then and must not be lost.
void set_key_wait_signal_action(void (*action)());

// How long the bytes of one key's sequence may lag behind each other.
inline constexpr int key_sequence_gap_milliseconds = 100;

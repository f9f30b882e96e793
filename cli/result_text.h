// The pieces of vantric-solve's output lines, written without printf's format parsing.
#pragma once

// Each appends at out + length and returns the new length; out has room.
int appendText(char* out, int length, const char* text);
int appendNumber(char* out, int length, long long value);
// Six decimals, rounded to the nearest microsecond, as %.6f writes it.
int appendSeconds(char* out, int length, double seconds);

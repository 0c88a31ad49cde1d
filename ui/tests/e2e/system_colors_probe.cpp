// Prints the three substituted system colours as a process that starts now sees them.
// Wine keeps each process's system colours from its start, so a test that wants to see
// what another program did to them has to ask a new process.
#include <windows.h>

#include <cstdio>

int main() {
  std::printf("%lu %lu %lu\n", GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_BTNFACE));
  return 0;
}

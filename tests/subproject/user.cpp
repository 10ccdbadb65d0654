// The smallest user of the library taken in as source: prints its version.
#include <cstdio>

#include <instrument_panel/instrument_panel.h>

int main() {
  std::printf("instrument panel %s\n", ip::kVersionText);
  return 0;
}

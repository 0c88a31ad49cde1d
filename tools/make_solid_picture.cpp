// Writes the solid key-colour picture to the path given: resources/Pict1.bmp is made so.
#include <cstdio>

#include "core/bmp_file.h"
#include "core/error.h"
#include "core/solid_picture.h"
#include "core/text.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make-solid-picture FILE\n", stderr);
    return 2;
  }
  try {
    ovelix::WriteBmpFile(ovelix::Utf8ToUtf16(argv[1]), ovelix::MakeSolidPicture());
  } catch (const ovelix::Error& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}

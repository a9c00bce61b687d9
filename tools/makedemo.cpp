// Writes the demo drawing: makedemo PATH.jww
#include "tests/support/demo_drawing.h"
#include "tests/support/test_paths.h"

#include <QString>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fputs("usage: makedemo DRAWING.jww\n", stderr);
        return 2;
    }
    if (!testsupport::writeFile(QString::fromLocal8Bit(argv[1]), testsupport::demoDrawingBytes())) {
        std::fprintf(stderr, "makedemo: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

// Writes the demo drawing: makedemo PATH.jww
#include "tests/support/demo_drawing.h"

#include <QSaveFile>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fputs("usage: makedemo DRAWING.jww\n", stderr);
        return 2;
    }
    QSaveFile out(QString::fromLocal8Bit(argv[1]));
    const QByteArray bytes = testsupport::demoDrawingBytes();
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        std::fprintf(stderr, "makedemo: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

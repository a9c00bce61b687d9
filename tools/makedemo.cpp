// Writes the demo drawing: makedemo PATH.jww [IMAGE], where IMAGE is a
// picture the drawing then places as well.
#include "tests/support/demo_drawing.h"

#include <QSaveFile>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2 && argc != 3) {
        std::fputs("usage: makedemo DRAWING.jww [IMAGE]\n", stderr);
        return 2;
    }
    QSaveFile out(QString::fromLocal8Bit(argv[1]));
    const QByteArray bytes = testsupport::demoDrawingBytes(argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString());
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        std::fprintf(stderr, "makedemo: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

// Program copies, file systems and drawings for the hostile-environment tests.
#include "tests/frontend/hostile_fixture.h"

#include "tests/frontend/test_app.h"
#include "tests/support/bench_drawings.h"
#include "tests/support/jww_builder.h"
#include "tests/support/test_paths.h"
#include "tests/support/worker_copy.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QStorageInfo>

#include <sys/mount.h>
#include <unistd.h>

// Pictures are written through Qt's image plugins, which want an application.
FRONTENDTEST_APPLICATION(QCoreApplication);

namespace hostile {

bool isRoot()
{
    return ::geteuid() == 0;
}

bool chownTree(const QString& path, unsigned id)
{
    if (::chown(QFile::encodeName(path).constData(), id, id) != 0)
        return false;
    QDirIterator it(path, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        if (::lchown(QFile::encodeName(it.next()).constData(), id, id) != 0)
            return false;
    }
    return true;
}

Tmpfs::Tmpfs(const QString& folder, qint64 bytes) : m_folder(folder)
{
    QDir().mkpath(folder);
    const QByteArray options = "size=" + QByteArray::number(bytes);
    m_mounted = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options.constData()) == 0;
}

Tmpfs::~Tmpfs()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

bool fillUpTo(const QString& folder, qint64 leave)
{
    QFile filler(QDir(folder).filePath("filler"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, 'f');
    for (;;) {
        const qint64 free = QStorageInfo(folder).bytesAvailable();
        if (free <= leave)
            return true;
        const qint64 n = std::min<qint64>(block.size(), free - leave);
        if (filler.write(block.constData(), n) != n)
            return QStorageInfo(folder).bytesAvailable() <= leave;
    }
}

QByteArray noisePicture(int w, int h, const char* format, unsigned seed)
{
    QImage image(w, h, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = 0xFF000000u | (random.generate() & 0xFFFFFFu);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

namespace {

void showEmbedded(jww::TJwwData& d, testsupport::JwwWriteOptions& options, const QString& name,
                  const QByteArray& picture)
{
    const QByteArray stored = testsupport::gzipBytes(picture);
    d.BindImage.push_back({name + ".gz", static_cast<int32_t>(stored.size()), false});
    options.imageData.push_back(stored);
    jww::TEntJwwMoji text;
    text.att.nPenColor = 1;
    text.att.nPenStyle = 1;
    text.end_x = 1;
    text.str = "^@BM%temp%" + name + ",60";
    testsupport::addMoji(d, text);
}

}  // namespace

QByteArray drawingShowingEmbedded(const QString& name, const QByteArray& picture)
{
    jww::TJwwData d;
    testsupport::initEmptyDrawing(d, 700);
    testsupport::JwwWriteOptions options;
    showEmbedded(d, options, name, picture);
    return testsupport::writeJww(d, options);
}

QByteArray largeDrawingShowingEmbedded(int n, const QByteArray& picture)
{
    jww::TJwwData d;
    testsupport::buildMixedDrawing(d, n);
    testsupport::JwwWriteOptions options;
    showEmbedded(d, options, "photo.png", picture);
    return testsupport::writeJww(d, options);
}

Programs::Programs()
{
    if (!m_root.isValid())
        return;
    const QString root = m_root.path();
    // Another user the programs run as must reach them.
    QFile::setPermissions(root, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                    | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                    | QFileDevice::ExeOther);
    m_work = root + "/work/";
    const QString bin = testsupport::copyWorker(root + "/programs");
    if (bin.isEmpty() || !QDir().mkpath(m_work + "home") || !QFile::copy(QStringLiteral(KESTRUNE_EXE), bin + "Kestrune"))
        return;
    m_bin = bin;
}

std::unique_ptr<QProcess> Programs::start(const QString& name, const QStringList& args) const
{
    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(testsupport::headlessEnvironment(home()));
    QStringList command = QStringList{m_bin + name} + args;
    if (!m_asUser.isEmpty())
        command = QStringList{"setpriv", "--reuid=" + m_asUser, "--regid=" + m_asUser, "--clear-groups"} + command;
    p->start(command.first(), command.mid(1));
    return p;
}

ProgramRun Programs::finish(QProcess& p)
{
    EXPECT_TRUE(p.waitForFinished(600000));
    ProgramRun r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.log = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    r.errors = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace hostile

// The conversion sequence of one worker run.
#include "worker/worker_driver.h"

#include "common/file_ops.h"
#include "common/path_names.h"
#include "sxf/sfc_file.h"
#include "sxf/sfc_reader.h"
#include "worker/image_files.h"
#include "worker/reference_list.h"
#include "worker/sfc_data.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

namespace worker {

namespace {

// The reasons a run converts nothing, as the front-end shows them.
const QString kUsageReason = QStringLiteral("使い方：Ondrelle 変換元.jww 保存先.sfc [保存先.p21]");
const QString kNoSourceReason = QStringLiteral("変換元のファイルがありません");
const QString kNotRegularReason = QStringLiteral("変換元が通常のファイルではありません");
const QString kUnreadableReason = QStringLiteral("変換元のファイルを読み込めません");
const QString kNotJwwReason = QStringLiteral("JWWファイルではありません");
const QString kEmptyReason = QStringLiteral("ファイルが空です");
const QString kDamagedReason = QStringLiteral("ファイルが途中で切れています");
const QString kDestinationExistsReason = QStringLiteral("保存先に同じ名前のファイルがあります");
const QString kCannotWriteReason = QStringLiteral("保存先に書き込めません");

// Anything at all under that name, a link to nowhere included.
bool nameTaken(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// Why the run cannot start converting, or the empty text.
QString preconditionFailure(const QString& settingsPath, const QString& src, const Destinations& dst)
{
    if (!common::FileExistsSafe(settingsPath))
        return QStringLiteral("設定ファイルがありません（") + settingsPath + QStringLiteral("）");
    // Only a regular file is read: a FIFO or a device would block the run
    // or never end.
    if (!common::FileExistsSafe(src))
        return nameTaken(src) ? kNotRegularReason : kNoSourceReason;
    for (const QString& path : {dst.sfc, dst.p21}) {
        if (!path.isEmpty() && nameTaken(path))
            return kDestinationExistsReason;
    }
    return {};
}

// Whether a file was put into place; the reason when it was not.
bool placed(sxf::SfcFileResult result, QString& reason)
{
    switch (result) {
    case sxf::SfcFileResult::Written:
        return true;
    case sxf::SfcFileResult::DestinationExists:
        reason = kDestinationExistsReason;
        return false;
    case sxf::SfcFileResult::CannotWrite:
        break;
    }
    reason = kCannotWriteReason;
    return false;
}

QString readFailureReason(jww::JwwReadFailure failure, int32_t version)
{
    switch (failure) {
    case jww::JwwReadFailure::Empty: return kEmptyReason;
    case jww::JwwReadFailure::NotJww: return kNotJwwReason;
    case jww::JwwReadFailure::UnsupportedVersion:
        return QStringLiteral("対応していないバージョンです（version %1）").arg(version);
    case jww::JwwReadFailure::Unreadable: return kUnreadableReason;
    case jww::JwwReadFailure::Damaged:
    case jww::JwwReadFailure::None: break;
    }
    return kDamagedReason;
}

}  // namespace

WorkerDriver::WorkerDriver(const QString& exeDir) : WorkerDriver(exeDir, common::fileLocations(exeDir)) {}

WorkerDriver::WorkerDriver(const QString& exeDir, const common::FileLocations& where)
    : ExeDir(common::IncludeDelim(exeDir)), m_where(where), m_settings(ExeDir)
{
    ReadSettings(m_where.settingsFile);
    GroupAttr = std::make_unique<convert::TSFC_GroupAttr>();
    JwInit();
}

WorkerDriver::~WorkerDriver()
{
    m_tables.clear();
    GroupAttr.reset();
    JwFine();
}

void WorkerDriver::ReadSettings(const QString& path)
{
    m_settings = common::SettingsFile(ExeDir);
    m_settings.read(path);
    m_tables.cb2 = m_settings.cb2;
    m_tables.cb3 = m_settings.cb3;
    m_tables.cb4 = m_settings.cb4;
}

void WorkerDriver::JwInit()
{
    mexp.refList.clear();
    JWW1 = std::make_unique<jww::TJwwData>();
    GraAtt = std::make_unique<jww::TgraAttribute>();
    JwwFileName.clear();
    m_refFileName = GetRefFileName(JwSettingsCandidates(ExeDir, m_settings.JwwPath));
    JWW1->BindImageExp = true;
    JWW1->BindImageExr = true;
    // A folder of this run's own: two runs at once may extract images of the
    // same name, and each deletes its own at tear-down. When it cannot be
    // made the folder stays empty and nothing is extracted.
    JWW1->BindImageFolder = common::makeRunFolder(m_where.imageFolder);
}

void WorkerDriver::JwFine()
{
    mexp.refList.clear();
    GraAtt.reset();
    if (!JWW1)
        return;
    JwwDataFree(*JWW1);
    // Each only when empty: another run may still be using the image folder.
    if (!JWW1->BindImageFolder.isEmpty())
        common::RemoveDirSafe(JWW1->BindImageFolder);
    common::RemoveDirSafe(m_where.imageFolder);
    JWW1.reset();
}

void WorkerDriver::JwwDataFree(jww::TJwwData& jw)
{
    jw.BindImageDeleteGzFile();
    jw.BindImageDeleteNonGzFile();
    jw.DataFree();
    jw.BindImageInit();
}

bool WorkerDriver::FormShow(const QStringList& args)
{
    m_written = false;
    m_reason.clear();
    m_tables.clear();
    const std::optional<Destinations> dst = args.size() >= 2 ? parseDestinations(args.mid(1)) : std::nullopt;
    if (!dst) {
        m_reason = kUsageReason;
        return false;
    }
    const QString& src = args[0];
    m_reason = preconditionFailure(m_where.settingsFile, src, *dst);
    // A destination that exists is never touched: it may be the user's own
    // file, or one that another run has just finished.
    if (m_reason.isEmpty())
        Proc(src, *dst);
    return m_written;
}

void WorkerDriver::Proc(const QString& src, const Destinations& dst)
{
    if (common::ExtractExtLower(src) != QStringLiteral(".jww")) {
        m_reason = kNotJwwReason;
        return;
    }
    if (!proc2(src)) {
        m_reason = readFailureReason(JWW1->ReadFailure, JWW1->FailedVersion);
        return;
    }
    proc3();
    m_written = proc4(dst);
    // Image files belong to the output they sit beside: a run that wrote no
    // output leaves the user's folder as it was.
    if (m_written)
        proc5(dst);
}

bool WorkerDriver::proc2(const QString& src)
{
    if (!JWW1->FileCheck(src))
        return false;
    JwwDataFree(*JWW1);
    if (!JWW1->FileIn(src))
        return false;
    JwwFileName = src;
    mexp.refList = RefFileOpen(m_refFileName, JwwFileName, ExeDir);
    JWW1->BindImageExplode();
    JWW1->FileColorSet(*GraAtt);
    m_paper = PaperSizeOf(JWW1->Enthd.nZumen);
    FillMojiExpInfo(mexp, *JWW1, JwwFileName, QDateTime::currentDateTime());
    return true;
}

void WorkerDriver::proc3()
{
    m_tables.proc3(*JWW1, *GraAtt, *GroupAttr);
}

void WorkerDriver::writeSfc(sxf::SfcWriter& f, const QString& fn)
{
    writeSfcContents(f, fn, *JWW1, m_tables, *GroupAttr, m_paper, mexp, QDateTime::currentDateTime(), m_images);
    m_leftOut = f.recordsLeftOut();
}

bool WorkerDriver::proc4(const Destinations& dst)
{
    m_images = convert::acceptedImages(*JWW1, JwwFileName);
    m_leftOut = 0;
    if (dst.p21.isEmpty())
        return placed(sxf::writeSfcFile(dst.sfc, [&](sxf::SfcWriter& f) { writeSfc(f, dst.sfc); }), m_reason);

    // The P21 file is the drawing of this run's SFC text read back, so that
    // both forms always agree.
    QByteArray sfc;
    {
        QBuffer buffer(&sfc);
        buffer.open(QIODevice::WriteOnly);
        sxf::SfcWriter f(buffer);
        writeSfc(f, dst.sfc.isEmpty() ? common::ReplaceExt(dst.p21, u".sfc") : dst.sfc);
        f.flush();
    }
    // The drawing's entities are in the text now; their memory is better
    // spent on the model read back from it.
    JWW1->FreeEntities();
    const sxf::ReadResult read = sxf::readSfc(sfc);
    if (!dst.sfc.isEmpty()) {
        const auto whole = [&sfc](sxf::SfcWriter& f) {
            f.writeBytes(std::string_view(sfc.constData(), size_t(sfc.size())));
        };
        if (!placed(sxf::writeSfcFile(dst.sfc, whole), m_reason))
            return false;
    }
    sfc = QByteArray();
    int leftOut = 0;
    if (placed(writeP21File(dst.p21, read.drawing, leftOut), m_reason)) {
        m_leftOut += leftOut;
        return true;
    }
    // Both forms or neither: the SFC file put into place above is this run's.
    if (!dst.sfc.isEmpty())
        QFile::remove(dst.sfc);
    return false;
}

void WorkerDriver::proc5(const Destinations& dst)
{
    // Once per folder: both forms name the same image files.
    placeImageFiles(m_images, dst.sfc.isEmpty() ? dst.p21 : dst.sfc);
    if (!dst.sfc.isEmpty() && !dst.p21.isEmpty()
        && common::ExtractDir(dst.sfc) != common::ExtractDir(dst.p21))
        placeImageFiles(m_images, dst.p21);
}

int runWorker(const QStringList& arguments, const QString& exeDir, std::FILE* err)
{
    WorkerDriver driver(exeDir);
    if (driver.FormShow(arguments))
        return 0;
    const QByteArray line = driver.failureReason().toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), err);
    std::fflush(err);
    return 1;
}

}  // namespace worker

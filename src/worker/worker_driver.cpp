// The conversion sequence of one worker run.
#include "worker/worker_driver.h"

#include "common/command_line.h"
#include "common/file_ops.h"
#include "common/interrupt_cleanup.h"
#include "common/path_names.h"
#include "common/worker_protocol.h"
#include "sxf/p21_writer.h"
#include "sxf/sfc_file.h"
#include "sxf/sfc_reader.h"
#include "worker/image_turn.h"
#include "worker/jww/image_names.h"
#include "worker/reference_list.h"
#include "worker/sfc_data.h"

#include <QBuffer>
#include <QFileInfo>

#include <algorithm>


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
const QString kCannotWriteReason = QStringLiteral("保存先に書き込めません");
const QString kLostNameReason = QStringLiteral("ファイル名がUTF-8ではないため扱えません");
const QString kBatchGoneReason = QStringLiteral("一括変換が終了したため中止しました");
using common::kDestinationExistsReason;

QString imageFolderReason(const QString& folder)
{
    return QStringLiteral("画像を取り出すフォルダを作れません（") + folder + QStringLiteral("）");
}

QString extractReason(const QString& name)
{
    return QStringLiteral("埋め込み画像を取り出せません（") + name + QStringLiteral("）");
}

QString budgetReason(const QString& name)
{
    return QStringLiteral("埋め込み画像を展開する空き容量が足りません（") + name + QStringLiteral("）");
}

QString placeReason(const QString& name)
{
    return QStringLiteral("画像ファイルを保存先に書き込めません（") + name + QStringLiteral("）");
}

// Room left on the disk after all images are inflated: the conversion, and
// everything else the user runs, still needs some.
constexpr qint64 kFreeSpaceMargin = qint64{64} << 20;

// Why the run cannot start converting, or the empty text.
QString preconditionFailure(const QString& settingsPath, const QString& src, const Destinations& dst)
{
    // Bytes lost on the command line would name another file, or none.
    const QStringList paths = dst.paths();
    if (common::isLostArgument(src) || std::any_of(paths.begin(), paths.end(), common::isLostArgument))
        return kLostNameReason;
    if (!common::FileExistsSafe(settingsPath))
        return QStringLiteral("設定ファイルがありません（") + settingsPath + QStringLiteral("）");
    // Only a regular file is read: a FIFO or a device would block the run
    // or never end.
    if (!common::FileExistsSafe(src))
        return common::NameTaken(src) ? kNotRegularReason : kNoSourceReason;
    if (std::any_of(paths.begin(), paths.end(), common::NameTaken))
        return kDestinationExistsReason;
    return {};
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
    prepareImageFolder();
}

void WorkerDriver::prepareImageFolder()
{
    // A folder of this run's own: two runs at once may extract images of the
    // same name, and each deletes its own at tear-down. When the image
    // folder is unusable (a file stands there, it cannot be written) the
    // user's own one serves; when neither can be made the folder stays empty
    // and a drawing that shows embedded images fails (explodeShownImages).
    QStringList candidates{m_where.imageFolder};
    const QString userFolder = common::perUserLocations().imageFolder;
    if (userFolder != m_where.imageFolder)
        candidates.append(userFolder);
    for (const QString& parent : candidates) {
        common::removeAbandonedRunFolders(parent);
        common::RunFolder run = common::makeRunFolder(parent);
        if (run.path.isEmpty())
            continue;
        m_run = std::move(run);
        m_imageParent = parent;
        if (m_run.madeParent)
            common::removeFolderOnInterrupt(parent);
        common::removeFolderOnInterrupt(m_run.path);
        break;
    }
    JWW1->BindImageFolder = m_run.path;
}

void WorkerDriver::JwFine()
{
    mexp.refList.clear();
    GraAtt.reset();
    if (!JWW1)
        return;
    JwwDataFree(*JWW1);
    removeImageFolders();
    JWW1.reset();
}

void WorkerDriver::removeImageFolders()
{
    if (m_run.path.isEmpty())
        return;
    // The image folder goes when empty, and only when it is this run's or
    // its user's: another user's image folder is not ours to remove, even
    // where we may (root converting in a user's program folder).
    const uint owner = QFileInfo(m_run.path).ownerId();
    const bool ours = m_run.madeParent || (owner != uint(-2) && owner == QFileInfo(m_imageParent).ownerId());
    m_run.lock.release();
    common::RemoveDirSafe(m_run.path);
    common::keepFolderOnInterrupt(m_run.path);
    if (ours)
        common::RemoveDirSafe(m_imageParent);
    common::keepFolderOnInterrupt(m_imageParent);
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
        if (m_reason.isEmpty())
            m_reason = readFailureReason(JWW1->ReadFailure, JWW1->FailedVersion);
        return;
    }
    proc3();
    // The image files are written first: the outputs name them, and a
    // picture that cannot be written fails the run before any output
    // appears. They get their names together with the outputs, and a run
    // that wrote no output leaves the user's folder as it was.
    if (!proc5(dst))
        return;
    m_written = proc4(dst);
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
    if (!explodeShownImages())
        return false;
    JWW1->FileColorSet(*GraAtt);
    m_paper = PaperSizeOf(JWW1->Enthd.nZumen);
    FillMojiExpInfo(mexp, *JWW1, JwwFileName, QDateTime::currentDateTime());
    return true;
}

bool WorkerDriver::explodeShownImages()
{
    // Only the pictures the drawing shows are inflated: the others would
    // only take room, and a drawing of gzip bombs could fill the disk.
    const QSet<QString> shown = convert::embeddedImagesShown(*JWW1);
    QStringList embedded;  // shown images the drawing carries, by inflated name
    for (const jww::TBindImageType& img : JWW1->BindImage) {
        const QString name = jww::isGzImageName(img.Fname) ? common::ReplaceExt(img.Fname, u"") : img.Fname;
        if (shown.contains(name) && jww::isPlainImageName(img.Fname) && !embedded.contains(name))
            embedded.append(name);
        if (shown.contains(name) && JWW1->BindImageUnwritten.contains(img.Fname)) {
            m_reason = extractReason(name);
            return false;
        }
    }
    if (embedded.isEmpty())
        return true;
    if (JWW1->BindImageFolder.isEmpty()) {
        m_reason = imageFolderReason(m_where.imageFolder);
        return false;
    }
    const qint64 free = common::freeBytes(JWW1->BindImageFolder);
    const qint64 budget = free < 0 ? jww::kMaxInflatedTotal : std::min(jww::kMaxInflatedTotal, free - kFreeSpaceMargin);
    const jww::BindImageResult result = JWW1->BindImageExplode(&shown, std::max<qint64>(budget, 0));
    switch (result.status) {
    case jww::BindImageResult::Status::Done:
        break;
    case jww::BindImageResult::Status::OverBudget:
        m_reason = budgetReason(result.name);
        return false;
    case jww::BindImageResult::Status::CannotWrite:
        m_reason = extractReason(result.name);
        return false;
    }
    for (const QString& name : embedded) {
        if (common::FileExistsSafe(JWW1->BindImageFolder + name))
            m_extracted.append(name);
    }
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
    m_leftOut = 0;
    common::NewFileGroup outputs;
    if (!writeOutputs(dst, outputs)) {
        m_reason = kCannotWriteReason;
        return false;
    }
    // The pictures first, then the outputs that name them.
    switch (m_imageFiles.commit()) {
    case common::MoveResult::Moved:
        break;
    case common::MoveResult::DestinationExists:
        // Another program took the name since it was chosen: the same as
        // the output's own name taken, for the front-end.
        m_reason = kDestinationExistsReason;
        return false;
    case common::MoveResult::Failed:
        m_reason = placeReason(m_imageFiles.failedName());
        return false;
    }
    switch (outputs.commit()) {
    case common::MoveResult::Moved:
        // Pictures before outputs: a signal in between costs a stray
        // picture, never an output that names a missing one.
        m_imageFiles.keep();
        outputs.keep();
        return true;
    case common::MoveResult::DestinationExists:
        m_reason = kDestinationExistsReason;
        break;
    case common::MoveResult::Failed:
        m_reason = kCannotWriteReason;
        break;
    }
    // Not one without the others: the pictures named for these outputs go.
    m_imageFiles.discard();
    return false;
}

bool WorkerDriver::writeOutputs(const Destinations& dst, common::NewFileGroup& outputs)
{
    const auto add = [&outputs](const QString& fn, const std::function<void(sxf::SfcWriter&)>& body) {
        std::unique_ptr<common::NewFile> file = sxf::writeUnnamedFile(fn, body);
        if (!file)
            return false;
        outputs.add(fn, std::move(file));
        return true;
    };
    if (dst.p21.isEmpty())
        return add(dst.sfc, [&](sxf::SfcWriter& f) { writeSfc(f, dst.sfc); });

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
        if (!add(dst.sfc, whole))
            return false;
    }
    sfc = QByteArray();
    sxf::Findings leftOut;
    if (!add(dst.p21, sxf::p21FileBody(read.drawing, dst.p21, &leftOut)))
        return false;
    m_leftOut += int(leftOut.size());
    return true;
}

bool WorkerDriver::proc5(const Destinations& dst)
{
    m_images = convert::acceptedImages(*JWW1, JwwFileName);
    // An extracted picture that is gone now was taken from under the run
    // (its folder removed or replaced): the output would silently lack it.
    for (const QString& name : m_extracted) {
        if (!common::FileExistsSafe(JWW1->BindImageFolder + name)) {
            m_reason = extractReason(name);
            return false;
        }
    }
    if (m_images.empty())
        return true;
    if (!waitForImageTurn()) {
        m_reason = kBatchGoneReason;
        return false;
    }
    // Once per folder: both forms name the same image files.
    if (m_imageFiles.prepare(m_images, dst.paths()))
        return true;
    m_reason = placeReason(m_imageFiles.failedName());
    return false;
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

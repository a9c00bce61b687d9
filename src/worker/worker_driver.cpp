// The conversion sequence of one worker run.
#include "worker/worker_driver.h"

#include "common/file_ops.h"
#include "common/path_names.h"
#include "worker/image_files.h"
#include "worker/sfc/sfc_file.h"
#include "worker/sfc_data.h"

namespace worker {
namespace {

const QString kSettingsName = QStringLiteral("Kestrune.dat");

}  // namespace

WorkerDriver::WorkerDriver(const QString& exeDir) : ExeDir(common::IncludeDelim(exeDir)), m_settings(ExeDir)
{
    ReadSettings(ExeDir + kSettingsName);
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
    JWW1 = std::make_unique<jww::TJwwData>();
    GraAtt = std::make_unique<jww::TgraAttribute>();
    JwwFileName.clear();
    JWW1->BindImageExp = true;
    JWW1->BindImageExr = true;
    JWW1->BindImageFolder = ExeDir + QStringLiteral("TEMP");
    if (!common::DirExistsSafe(JWW1->BindImageFolder))
        common::ForceDirsSafe(JWW1->BindImageFolder);  // a failure shows later as missing images
    JWW1->BindImageFolder = common::IncludeDelim(JWW1->BindImageFolder);
}

void WorkerDriver::JwFine()
{
    GraAtt.reset();
    if (!JWW1)
        return;
    JwwDataFree(*JWW1);
    common::RemoveDirSafe(JWW1->BindImageFolder);  // only when empty
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
    if (args.size() == 2) {
        const QString& src = args[0];
        const QString& dst = args[1];
        const bool ok1 = common::FileExistsSafe(ExeDir + kSettingsName);
        const bool ok2 = common::FileExistsSafe(src);
        const bool ok3 = !common::FileExistsSafe(dst);
        // The front-end always passes a name that does not exist yet; an
        // existing destination is removed and nothing is converted.
        if (!dst.isEmpty() && common::FileExistsSafe(dst))
            common::DeleteFileSafe(dst);
        m_tables.clear();
        if (ok1 && ok2 && ok3)
            Proc(src, dst);
    } else {
        m_tables.clear();
    }
    return m_written;
}

void WorkerDriver::Proc(const QString& src, const QString& dst)
{
    if (!common::FileExistsSafe(src) || common::ExtractExtLower(src) != QStringLiteral(".jww"))
        return;
    if (!proc2(src))
        return;
    proc3();
    m_written = proc4(dst);
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

bool WorkerDriver::proc4(const QString& fn)
{
    m_images = convert::acceptedImages(*JWW1, JwwFileName);
    return sfc::writeSfcFile(fn, [&](sfc::SfcWriter& f) {
        writeSfcContents(f, fn, *JWW1, m_tables, m_paper, mexp, QDateTime::currentDateTime(), m_images);
    });
}

void WorkerDriver::proc5(const QString& fn)
{
    placeImageFiles(m_images, fn);
}

int runWorker(const QStringList& arguments, const QString& exeDir)
{
    WorkerDriver driver(exeDir);
    return driver.FormShow(arguments) ? 0 : 1;
}

}  // namespace worker

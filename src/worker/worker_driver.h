// The worker's run: start-up, the checks on its two arguments, the fixed
// conversion sequence (read, tabulate, write, place images) and tear-down.
#pragma once

#include "common/settings_file.h"
#include "worker/convert/attribute_tables.h"
#include "worker/convert/image_source.h"
#include "worker/convert/group_table.h"
#include "worker/drawing_setup.h"
#include "worker/jww/gra_attribute.h"
#include "worker/jww/jww_data.h"
#include "worker/text/moji_exp_info.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace worker {

// One conversion run. Construction is start-up (settings read, objects made,
// image folder prepared); destruction is tear-down (objects freed, the image
// folder removed when empty).
class WorkerDriver {
public:
    // `exeDir` is the worker's own folder; the settings file and the image
    // folder live there.
    explicit WorkerDriver(const QString& exeDir);
    ~WorkerDriver();
    WorkerDriver(const WorkerDriver&) = delete;
    WorkerDriver& operator=(const WorkerDriver&) = delete;

    // Checks the arguments (source and destination) and converts. An existing
    // destination is deleted and nothing is written. Returns true exactly
    // when the destination file was written.
    bool FormShow(const QStringList& args);

    const QString& exeDir() const { return ExeDir; }
    const common::SettingsFile& settings() const { return m_settings; }
    const jww::TJwwData& drawing() const { return *JWW1; }
    PaperSize paperSize() const { return m_paper; }
    const text::TSFC_Moji_Exp_Info& mojiExpInfo() const { return mexp; }
    const convert::AttributeTables& tables() const { return m_tables; }

private:
    void ReadSettings(const QString& path);
    void JwInit();
    void JwFine();
    void Proc(const QString& src, const QString& dst);
    bool proc2(const QString& src);
    void proc3();
    bool proc4(const QString& fn);
    void proc5(const QString& fn);
    static void JwwDataFree(jww::TJwwData& jw);

    QString ExeDir;
    QString JwwFileName;
    common::SettingsFile m_settings;
    std::unique_ptr<jww::TJwwData> JWW1;
    std::unique_ptr<jww::TgraAttribute> GraAtt;
    std::unique_ptr<convert::TSFC_GroupAttr> GroupAttr;
    convert::AttributeTables m_tables;
    text::TSFC_Moji_Exp_Info mexp;
    PaperSize m_paper;
    // The images placed by proc4 and proc5, found once so that both see the
    // same ones in the same order.
    std::vector<convert::AcceptedImage> m_images;
    bool m_written = false;
};

// The worker program: `arguments` without the program path. Returns the exit
// status, 0 when the destination was written and 1 otherwise.
int runWorker(const QStringList& arguments, const QString& exeDir);

}  // namespace worker

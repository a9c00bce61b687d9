// The worker's run: start-up, the checks on its two arguments, the fixed
// conversion sequence (read, tabulate, write, place images) and tear-down.
#pragma once

#include "common/file_locations.h"
#include "common/settings_file.h"
#include "worker/convert/attribute_tables.h"
#include "worker/convert/image_source.h"
#include "worker/convert/group_table.h"
#include "worker/drawing_setup.h"
#include "worker/jww/gra_attribute.h"
#include "worker/jww/jww_data.h"
#include "worker/output_forms.h"
#include "worker/text/moji_exp_info.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <memory>

namespace worker {

// One conversion run. Construction is start-up (settings read, objects made,
// image folder prepared); destruction is tear-down (objects freed, the image
// folder removed when empty).
class WorkerDriver {
public:
    // `exeDir` is the worker's own folder; the settings file and the image
    // folder are where common::fileLocations puts them for that folder.
    explicit WorkerDriver(const QString& exeDir);
    // The same with the locations given. The run extracts images into a new
    // folder of its own inside `where.imageFolder` and removes both folders
    // at tear-down when they are empty.
    WorkerDriver(const QString& exeDir, const common::FileLocations& where);
    ~WorkerDriver();
    WorkerDriver(const WorkerDriver&) = delete;
    WorkerDriver& operator=(const WorkerDriver&) = delete;

    // Checks the arguments (the source, then one or two destinations:
    // parseDestinations) and converts. Only a regular file is a source; with
    // anything already at a destination nothing is converted and that is
    // left as it is. Returns true exactly when every destination was
    // written; with two, either both files are there or neither.
    bool FormShow(const QStringList& args);
    // After FormShow returned false: one short line saying why (in the
    // users' language); empty after a success.
    const QString& failureReason() const { return m_reason; }
    // Records the last written SFC text left out because they could not be
    // written (a number that is not finite), and features its P21 left out.
    int recordsLeftOut() const { return m_leftOut; }

    const QString& exeDir() const { return ExeDir; }
    // The settings file this run read (and requires).
    const QString& settingsPath() const { return m_where.settingsFile; }
    const common::SettingsFile& settings() const { return m_settings; }
    const jww::TJwwData& drawing() const { return *JWW1; }
    PaperSize paperSize() const { return m_paper; }
    const text::TSFC_Moji_Exp_Info& mojiExpInfo() const { return mexp; }
    const convert::AttributeTables& tables() const { return m_tables; }

private:
    void ReadSettings(const QString& path);
    void JwInit();
    void JwFine();
    void Proc(const QString& src, const Destinations& dst);
    bool proc2(const QString& src);
    void proc3();
    // Writes the SFC text, or both forms, the P21 from the SFC read back.
    bool proc4(const Destinations& dst);
    // Places the image files beside the destinations; only after proc4
    // wrote them.
    void proc5(const Destinations& dst);
    // The SFC text of the drawing for destination `fn` through `f`.
    void writeSfc(sxf::SfcWriter& f, const QString& fn);
    static void JwwDataFree(jww::TJwwData& jw);

    QString ExeDir;
    common::FileLocations m_where;
    QString JwwFileName;
    QString m_refFileName;  // the value file Jw_cad's settings name; empty for none
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
    QString m_reason;
    int m_leftOut = 0;
};

// The worker program: `arguments` without the program path. Returns the exit
// status, 0 when the destination was written and 1 otherwise; on failure
// writes the reason and a line feed to `err` in UTF-8.
int runWorker(const QStringList& arguments, const QString& exeDir, std::FILE* err = stderr);

}  // namespace worker

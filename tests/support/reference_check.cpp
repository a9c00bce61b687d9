// Running the reference checking script over files written to a temporary
// folder, all of them in one Python process.
#include "tests/support/reference_check.h"

#include "tests/support/test_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace testsupport {

namespace {

// Imports the script as a module and prints, per file named, the list of
// its findings as [class, severity, rule, where, message].
const char kDriver[] = R"(
import json, sys
sys.path.insert(0, sys.argv[1])
import sfc_check
out = []
for path in sys.argv[2:]:
    with open(path, "rb") as fh:
        res = sfc_check.check_bytes(fh.read())
    out.append([[f.cls, f.sev, f.rule, f.where, f.msg] for f in res.findings])
sys.stdout.write(json.dumps(out))
)";

// "#80" is feature 80; "-", "L12" and "EOF" name no feature.
int32_t featureOf(const QString& where)
{
    return where.startsWith(u'#') ? where.mid(1).toInt() : 0;
}

}  // namespace

QString referenceCheckScript()
{
    const QString script = QDir::cleanPath(QStringLiteral(KESTRUNE_SOURCE_DIR "/../shared/tools/sfc_check.py"));
    if (QFileInfo::exists(script))
        return script;
    if (!qEnvironmentVariableIsEmpty("CI"))
        ADD_FAILURE() << "CI is set but the reference checking script is missing at " << script.toStdString();
    return {};
}

QByteArray referenceSample()
{
    const QString script = referenceCheckScript();
    return script.isEmpty() ? QByteArray() : readFile(QFileInfo(script).path() + QStringLiteral("/samples/sample_valid.sfc"));
}

std::optional<std::vector<ReferenceFindings>> referenceCheck(const std::vector<QByteArray>& files)
{
    const QString script = referenceCheckScript();
    QTemporaryDir dir;
    if (script.isEmpty() || !dir.isValid())
        return std::nullopt;
    QStringList args{QStringLiteral("-c"), QString::fromLatin1(kDriver), QFileInfo(script).path()};
    for (size_t i = 0; i < files.size(); ++i) {
        const QString path = dir.filePath(QStringLiteral("%1.sfc").arg(i));
        if (!writeFile(path, files[i]))
            return std::nullopt;
        args.append(path);
    }
    QProcess python;
    python.start(QStringLiteral("python3"), args);
    if (!python.waitForFinished(600000) || python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0) {
        ADD_FAILURE() << "the reference check did not run: " << python.readAllStandardError().toStdString();
        return std::nullopt;
    }
    const QJsonArray perFile = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    if (size_t(perFile.size()) != files.size())
        return std::nullopt;
    std::vector<ReferenceFindings> result;
    for (const QJsonValue& list : perFile) {
        ReferenceFindings findings;
        for (const QJsonValue& item : list.toArray()) {
            const QJsonArray f = item.toArray();
            findings.push_back({f[0].toString(), f[1].toString(), f[2].toString(), featureOf(f[3].toString()),
                                f[4].toString()});
        }
        result.push_back(std::move(findings));
    }
    return result;
}

}  // namespace testsupport

// The promises checked on every fuzz input.
#include "tests/fuzz/fuzz_checks.h"

#include "common/settings_file.h"
#include "tests/support/sfc_parser.h"
#include "tests/support/sfc_references.h"
#include "worker/jww/gra_attribute.h"
#include "worker/jww/jww_data.h"
#include "worker/jww/jww_reader.h"
#include "worker/worker_driver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <vector>

namespace fuzzing {
namespace {

using namespace jww;

// A count that disagrees with its array's length.
void checkLength(QStringList& problems, const char* name, size_t length, int64_t count)
{
    if (static_cast<int64_t>(length) != count)
        problems << QStringLiteral("%1 has %2 entries but a count of %3").arg(QLatin1String(name)).arg(length).arg(count);
}

size_t lengthOfKind(int32_t kind, const std::vector<size_t>& lengths)
{
    return kind >= kEntLine && kind <= kEntBlock ? lengths[static_cast<size_t>(kind)] : 0;
}

// Every slot of an entity order names an entity of its kind that exists,
// each entity exactly once; slots left empty are allowed only after a failed
// read (the read stops at the entity it could not complete).
void checkOrder(QStringList& problems, const char* name, const std::vector<TEntJwwNo>& order,
                const std::vector<size_t>& lengths, bool readOk)
{
    std::vector<std::vector<bool>> seen(lengths.size());
    for (size_t k = 0; k < lengths.size(); ++k)
        seen[k].assign(lengths[k], false);
    size_t filled = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        const TEntJwwNo& no = order[i];
        if (no.EntType == kEntNone) {
            if (readOk)
                problems << QStringLiteral("%1[%2] is empty after a successful read").arg(QLatin1String(name)).arg(i);
            continue;
        }
        const size_t length = lengthOfKind(no.EntType, lengths);
        if (no.EntNo < 0 || static_cast<size_t>(no.EntNo) >= length) {
            problems << QStringLiteral("%1[%2] names entity %3 of kind %4, which does not exist")
                            .arg(QLatin1String(name)).arg(i).arg(no.EntNo).arg(no.EntType);
            continue;
        }
        std::vector<bool>::reference mark = seen[static_cast<size_t>(no.EntType)][static_cast<size_t>(no.EntNo)];
        if (mark)
            problems << QStringLiteral("%1[%2] names an entity a second time").arg(QLatin1String(name)).arg(i);
        mark = true;
        ++filled;
    }
    size_t stored = 0;
    for (size_t length : lengths)
        stored += length;
    if (filled != stored)
        problems << QStringLiteral("%1 names %2 entities but the arrays hold %3").arg(QLatin1String(name)).arg(filled).arg(stored);
}

void checkTopLevel(QStringList& problems, const TJwwData& d, bool readOk)
{
    const std::vector<size_t> lengths{0, d.EntLine.size(), d.EntEnko.size(), d.EntTen.size(), d.EntMoji.size(),
                                      d.EntSunpo.size(), d.EntSolid.size(), d.EntBlock.size()};
    checkLength(problems, "EntNo", d.EntNo.size(), d.Enthd.n1);
    if (readOk)
        checkLength(problems, "EntBlockDef (declared)", d.EntBlockDef.size(), d.Enthd.n2);
    checkOrder(problems, "EntNo", d.EntNo, lengths, readOk);
}

void checkDefinitions(QStringList& problems, const TJwwData& d, bool readOk)
{
    // Only the last definition can be cut short by the end of the file.
    for (size_t i = 0; i < d.EntBlockDef.size(); ++i) {
        const TEntJwwBlockDef& def = d.EntBlockDef[i];
        const std::vector<size_t> lengths{0, def.mLine.size(), def.mEnko.size(), def.mTen.size(), def.mMoji.size(),
                                          def.mSunpo.size(), def.mSolid.size(), def.mBlock.size()};
        checkLength(problems, "mNo", def.mNo.size(), def.N);
        checkOrder(problems, "mNo", def.mNo, lengths, readOk || i + 1 < d.EntBlockDef.size());
    }
}

// Parents come before their children, one level up; definitions exist; the
// tree stays in proportion to what the file stores; the referenced
// definitions are numbered in order.
void checkTree(QStringList& problems, const TJwwData& d)
{
    const auto& tree = d.EntBlockTree;
    for (size_t i = 0; i < tree.size(); ++i) {
        const TEntJwwBlockTree& node = tree[i];
        const bool top = node.parent < 0;
        const bool parentBefore = top || static_cast<size_t>(node.parent) < i;
        if (node.parent < -1 || !parentBefore
            || node.level != (top ? 0 : tree[static_cast<size_t>(node.parent)].level + 1)) {
            problems << QStringLiteral("tree node %1 hangs wrongly (parent %2, level %3)").arg(i).arg(node.parent).arg(node.level);
        }
        if (node.defno < -1 || node.defno >= static_cast<int32_t>(d.EntBlockDef.size()))
            problems << QStringLiteral("tree node %1 names definition %2").arg(i).arg(node.defno);
    }
    size_t stored = d.EntNo.size();
    for (const TEntJwwBlockDef& def : d.EntBlockDef)
        stored += def.mNo.size();
    if (tree.size() > d.EntBlock.size() + 1024 + 2 * stored)
        problems << QStringLiteral("the tree has %1 nodes for %2 stored entities").arg(tree.size()).arg(stored);
    int32_t referenced = 0;
    for (const TEntJwwBlockDef& def : d.EntBlockDef) {
        if (def.ref_no != (def.ref_flag ? referenced : -1))
            problems << QStringLiteral("definition %1 has ref_no %2").arg(def.nNumber).arg(def.ref_no);
        referenced += def.ref_flag ? 1 : 0;
    }
    if (referenced != d.EntBlockNum)
        problems << QStringLiteral("EntBlockNum is %1 for %2 referenced definitions").arg(d.EntBlockNum).arg(referenced);
}

void checkTables(QStringList& problems, const TJwwData& d)
{
    checkLength(problems, "EntLgrp", d.EntLgrp.size(), 16);
    checkLength(problems, "EntLay", d.EntLay.size(), 256);
    checkLength(problems, "EntCol", d.EntCol.size(), 10);
    checkLength(problems, "EntLtp1", d.EntLtp1.size(), 8);
    checkLength(problems, "EntLtp2", d.EntLtp2.size(), 5);
    checkLength(problems, "EntLtp3", d.EntLtp3.size(), 4);
    checkLength(problems, "EntColS", d.EntColS.size(), 257);
    checkLength(problems, "EntLtpS", d.EntLtpS.size(), 33);
    checkLength(problems, "EntMoj", d.EntMoj.size(), 10);
}

// Everything in `folder` except `keep`; it is removed, so that one input's
// leftovers cannot hide the next input's.
QStringList takeLeftovers(const QString& folder, const QString& keep = QString())
{
    QDir dir(folder);
    QStringList left;
    const QFileInfoList entries = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& e : entries) {
        if (e.fileName() == keep)
            continue;
        left << e.fileName();
        if (e.isDir() && !e.isSymLink())
            QDir(e.absoluteFilePath()).removeRecursively();
        else
            QFile::remove(e.absoluteFilePath());
    }
    return left;
}

const QString kSettingsName = QStringLiteral("Kestrune.dat");

// The files the image symbols of `sfc` name: the part after the last "$$"
// of each "$$画像$$" symbol name. They belong beside the output.
QStringList imageFilesNamedIn(const testsupport::SfcFile& sfc)
{
    QStringList names;
    for (const testsupport::SfcRecord* r : sfc.named(u"sfig_org_feature")) {
        const QString name = r->stringAt(0);
        if (name.contains(u"$$画像$$"))
            names << name.mid(name.lastIndexOf(u"$$") + 2);
    }
    return names;
}

}  // namespace

QStringList checkReader(QByteArrayView bytes, const QString& imageFolder)
{
    QStringList problems;
    {
        TJwwData d;
        d.BindImageExp = true;
        d.BindImageExr = true;
        d.BindImageFolder = imageFolder;
        const bool ok = readJwwDrawing(d, bytes);
        if (ok)
            checkTables(problems, d);
        checkTopLevel(problems, d, ok);
        checkDefinitions(problems, d, ok);
        checkTree(problems, d);
        d.BindImageExplode();
        TgraAttribute widths;
        d.FileColorSet(widths);
        d.BindImageDeleteGzFile();
        d.BindImageDeleteNonGzFile();
    }
    const QStringList left = takeLeftovers(imageFolder);
    if (!left.isEmpty())
        problems << QStringLiteral("left in the image folder: %1").arg(left.join(QStringLiteral(", ")));
    return problems;
}

namespace {

// Everything written to `f` so far.
QByteArray readAll(std::FILE* f)
{
    QByteArray out;
    std::rewind(f);
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        out.append(buffer, static_cast<qsizetype>(n));
    return out;
}

}  // namespace

bool prepareWorkerFolder(const QString& exeDir)
{
    return common::SettingsFile(exeDir).write(exeDir + kSettingsName);
}

QStringList checkConversion(QByteArrayView bytes, const QString& exeDir, const QString& workDir)
{
    QStringList problems;
    const QString src = workDir + QStringLiteral("drawing.jww");
    const QString dst = workDir + QStringLiteral("drawing.sfc");
    QFile file(src);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), bytes.size()) != bytes.size()) {
        problems << QStringLiteral("cannot write %1").arg(src);
        return problems;
    }
    file.close();

    // The reasons go to a file of their own: thousands of inputs a second
    // would flood the fuzzer's log, and a failure must say why in one line.
    std::FILE* reasons = std::tmpfile();
    if (!reasons) {
        problems << QStringLiteral("cannot make a file for the reasons");
        return problems;
    }
    const int status = worker::runWorker({src, dst}, exeDir, reasons);
    const QByteArray reason = readAll(reasons);
    std::fclose(reasons);
    const bool written = QFileInfo::exists(dst);
    if ((status == 0) != written)
        problems << QStringLiteral("exit status %1 but the output %2").arg(status).arg(written ? "exists" : "is missing");
    const bool oneLine = reason.size() > 1 && reason.endsWith('\n') && reason.count('\n') == 1;
    if (status == 0 ? !reason.isEmpty() : !oneLine)
        problems << QStringLiteral("exit status %1 with the reason \"%2\"").arg(status).arg(QString::fromUtf8(reason));

    TJwwData d;
    d.BindImageExr = true;  // as the worker reads: a damaged image list fails the read
    if (readJwwDrawing(d, bytes) && !written)
        problems << QStringLiteral("the drawing reads but was not converted");

    QStringList images;
    if (written) {
        const testsupport::SfcFile sfc = testsupport::parseSfcFile(dst);
        images = imageFilesNamedIn(sfc);
        for (qsizetype i = 0; i < std::min<qsizetype>(sfc.problems.size(), 5); ++i)
            problems << QStringLiteral("SFC: %1").arg(sfc.problems[i]);
        const QStringList refs = testsupport::checkSfcReferences(sfc);
        for (qsizetype i = 0; i < std::min<qsizetype>(refs.size(), 5); ++i)
            problems << QStringLiteral("SFC reference: %1").arg(refs[i]);
    }
    QFile::remove(dst);
    QFile::remove(src);
    const QStringList leftInProgram = takeLeftovers(exeDir, kSettingsName);
    if (!leftInProgram.isEmpty())
        problems << QStringLiteral("left in the program folder: %1").arg(leftInProgram.join(QStringLiteral(", ")));
    QStringList leftInWork = takeLeftovers(workDir);
    leftInWork.removeIf([&](const QString& name) { return images.contains(name); });
    if (!leftInWork.isEmpty())
        problems << QStringLiteral("left beside the drawing: %1").arg(leftInWork.join(QStringLiteral(", ")));
    return problems;
}

}  // namespace fuzzing

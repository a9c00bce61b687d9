// Embedded images: the list, and the files extracted for one drawing.
#include "worker/jww/jww_data.h"

#include "common/file_ops.h"
#include "common/path_names.h"

namespace jww {
namespace {

bool isGzName(const QString& name)
{
    return common::ExtractExtLower(name) == QStringLiteral(".gz");
}

// Only plain file names are ever extracted, so only they are ever deleted: a
// stored name must not reach a file outside the image folder.
bool isPlainName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(u'\\')
           && !common::IsInvalidPath(name) && !name.contains(u':');
}

}  // namespace

void TJwwData::BindImageInit()
{
    BindImage.clear();
    BindImageN = 0;
}

void TJwwData::BindImageExplode()
{
    // Inflating arrives with the embedded-image reader; nothing is extracted
    // before it.
}

void TJwwData::BindImageDeleteGzFile()
{
    for (const TBindImageType& img : BindImage) {
        if (isGzName(img.Fname) && isPlainName(img.Fname))
            common::DeleteFileSafe(BindImageFolder + img.Fname);
    }
}

void TJwwData::BindImageDeleteNonGzFile()
{
    for (const TBindImageType& img : BindImage) {
        const QString name = isGzName(img.Fname) ? common::ReplaceExt(img.Fname, u"") : img.Fname;
        if (isPlainName(name))
            common::DeleteFileSafe(BindImageFolder + name);
    }
}

}  // namespace jww

#pragma once

#include <QString>

// The fixed lines of a SIMA coordinate file as this program writes them.
// Other programs and earlier files rely on these exact texts.
namespace tavorin::simatext {

using namespace Qt::StringLiterals;

inline const QString HeaderLine = u"G00, 1,ＳＩＭＡファイル                                ,"_s;
inline const QString Description1Line = u"Z00,,"_s;
inline const QString Description2Line = u"Z00, ／　座標　／,"_s;
inline const QString PointsBeginLine = u"A00,"_s;
inline const QString PointsEndLine = u"A99,"_s;
inline const QString PointTag = u"A01"_s;

} // namespace tavorin::simatext

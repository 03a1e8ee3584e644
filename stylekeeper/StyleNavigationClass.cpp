#include "StyleNavigationClass.h"

#include "KvDb.h"

#include <optional>

namespace {

const QString kFirst = QStringLiteral("select root_plu from products order by plu limit 1");
const QString kLast = QStringLiteral("select root_plu from products order by plu desc limit 1");

// The first (or last) row beyond the loaded root PLU's first size whose style
// is not the one shown (a row without a style counts as an empty one).
QString Beyond(bool forward, const QString& rootPLU, const QString& shownStyle) {
  return "select root_plu from products where plu " + QString(forward ? ">" : "<") + " " +
         kdb::sql::Quote(rootPLU + "00") + " and coalesce(style, '') <> " + kdb::sql::Quote(shownStyle) +
         " order by plu" + (forward ? "" : " desc") + " limit 1";
}

}  // namespace

QString TStyleNavigationClass::StepSQL(int direction, const QString& loadedRootPLU, const QString& shownStyle) {
  const bool loaded = !loadedRootPLU.isEmpty();
  switch (direction) {
    case navFirst: return kFirst;
    case navLast: return kLast;
    case navPrior: return loaded ? Beyond(false, loadedRootPLU, shownStyle) : kLast;
    case navNext: return loaded ? Beyond(true, loadedRootPLU, shownStyle) : kFirst;
    default: break;
  }
  throw kdb::DbError("Unknown direction " + QString::number(direction));
}

QString TStyleNavigationClass::Step(int direction, const QString& loadedRootPLU, const QString& shownStyle,
                                    const Runner& run) {
  const auto firstRootPLU = [&run](const QString& sql) -> std::optional<QString> {
    kdb::DataSet& rows = run(sql);
    rows.First();
    if (rows.Eof()) return std::nullopt;
    return rows.FieldByName("ROOT_PLU").AsString();
  };
  if (const std::optional<QString> found = firstRootPLU(StepSQL(direction, loadedRootPLU, shownStyle)))
    return *found;
  // Nothing beyond the loaded style: the step stays at that end of the table.
  if (direction == navNext) return firstRootPLU(kLast).value_or(QString());
  if (direction == navPrior) return firstRootPLU(kFirst).value_or(QString());
  return QString();
}

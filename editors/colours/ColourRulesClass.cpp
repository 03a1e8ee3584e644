#include "ColourRulesClass.h"

#include <cmath>
#include <cstdlib>

#include "CodeListSaveClass.h"
#include "KvDb.h"
#include "ProductsRenameClass.h"

namespace {
constexpr const char* kColourGone =
    "The colour could not be found; another user may have removed it. Nothing has been saved.";
}  // namespace

const QStringList& TColourRulesClass::BaseColours() {
  static const QStringList bases = {"Beige", "Black", "Blue",   "Brown", "Cream", "Green",  "Grey",  "Orange",
                                    "Pink",  "Purple", "Red",  "White", "Yellow", "Silver", "Multi"};
  return bases;
}

const std::array<TColourRulesClass::Swatch, 16>& TColourRulesClass::Swatches() {
  static const std::array<Swatch, 16> swatches = {{{"PanelClWhite", 0xFFFFFF, "White"},
                                                   {"PanelClBlack", 0x000000, "Black"},
                                                   {"PanelClRed", 0x0000FF, "Red"},
                                                   {"PanelClYellow", 0x00FFFF, "Yellow"},
                                                   {"PanelClGreen", 0x008000, "Green"},
                                                   {"PanelClBlue", 0x800000, "Blue"},
                                                   {"PanelClPurple", 0x800080, "Purple"},
                                                   {"PanelClOrange", 0x0080FF, "Orange"},
                                                   {"PanelClGray", 0x808080, "Grey"},
                                                   {"PanelClBrown", 0x004080, "Brown"},
                                                   {"PanelClPink", 0x8000FF, "Pink"},
                                                   {"PanelClSkin", 0x8080FF, "Pink"},
                                                   {"PanelClSkyB", 0xF0CAA6, "Blue"},
                                                   {"PanelClOlive", 0x008080, "Green"},
                                                   {"PanelClMoney", 0xC0DCC0, "Green"},
                                                   {"PanelClSilver", 0xC0C0C0, "Silver"}}};
  return swatches;
}

QString TColourRulesClass::ListSQL(const QString& base) {
  QString sql = "select id, name from parameters where type = 'COLOUR'";
  // The base colour is stored as the list spells it ("Blue") but older rows
  // may hold it in capitals: the filter compares both sides in capitals.
  if (!base.isEmpty() && base != kAll) sql += " and upper(parent_name) = " + kdb::sql::Quote(base.toUpper());
  return sql + " order by name";
}

quint32 TColourRulesClass::ColourOfRate(const QVariant& rate) {
  const double r = rate.isValid() && !rate.isNull() ? rate.toDouble() : 0.0;
  return static_cast<quint32>(static_cast<qint64>(std::trunc(r)));
}

quint32 TColourRulesClass::RandomColour() { return static_cast<quint32>(std::rand() % 16777215); }

kdb::EditBaseline::Values TColourRulesClass::RowValues(const QString& name, const QString& base, quint32 colour) {
  return {{"NAME", name},    {"RATE", static_cast<double>(colour)}, {"PARENT_NAME", base},
          {"PARENT_ID", 0},  {"EXTRA", QString()},                  {"VALUE", 0}};
}

qint64 TColourRulesClass::SaveColour(kdb::Table& table, qint64 id, kdb::EditBaseline& baseline, const QString& name,
                                     const QString& base, quint32 colour) {
  kdb::EditBaseline::Values values = RowValues(name, base, colour);
  if (id == 0) values.emplace_back("TYPE", kType);
  return TCodeListSaveClass::WriteRow(table, "PARAMETERS", id, baseline, values, kColourGone);
}

QString TColourRulesClass::UpdateProductsColour(qint64 id, const QString& name, quint32 colour) {
  return TProductsRenameClass::CopyStatement("COLOUR_ID", QString::number(id),
                                             {{"COLOUR_NAME", name}, {"COLOUR_VALUE", qint64(colour)}});
}

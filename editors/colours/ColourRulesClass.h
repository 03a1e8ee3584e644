#pragma once
// The colours editor's rules without a window: the fifteen base colours, the
// sixteen swatches, the list with its base-colour filter, the colour row as
// it is written, the copies of a colour in PRODUCTS and a new entry's random
// display colour. Display colours are 24-bit values 0x00BBGGRR, kept in
// PARAMETERS.RATE as a floating-point number (every such value is exact) and
// in PRODUCTS.COLOUR_VALUE as a whole number.
#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>

#include "KvEditBaseline.h"

class TColourRulesClass {
 public:
  static constexpr const char* kType = "COLOUR";
  static constexpr const char* kAll = "[All]";

  // One of the small panels that pick a display colour and its base colour.
  struct Swatch {
    const char* name;  // the panel's name
    quint32 colour;    // 0x00BBGGRR
    const char* base;  // as BaseColours() spells it
  };

  // "Beige", "Black", ... "Multi", in list order.
  static const QStringList& BaseColours();
  static const std::array<Swatch, 16>& Swatches();

  // The list: ID and NAME of every colour in name order; with a base colour
  // only the colours of that base, whatever the letter case of the stored
  // base name (both sides compared in capitals). "" or "[All]" for all.
  static QString ListSQL(const QString& base);

  // The display colour a stored RATE stands for (the fraction cut off).
  static quint32 ColourOfRate(const QVariant& rate);
  // A new entry's display colour: the C library's pseudo-random number
  // modulo 0xFFFFFF (the program seeds it with the time at start).
  static quint32 RandomColour();

  // The columns of a colour row: NAME, RATE (the display colour), PARENT_NAME
  // (the base colour), PARENT_ID "0", EXTRA empty, VALUE 0.
  static kdb::EditBaseline::Values RowValues(const QString& name, const QString& base, quint32 colour);
  // Writes the colour's row through the table: id 0 appends one (with its
  // TYPE) and returns its new ID; another id writes only what differs from
  // the baseline, refusing what another user changed meanwhile
  // (TCodeListSaveClass::WriteRow).
  static qint64 SaveColour(kdb::Table& table, qint64 id, kdb::EditBaseline& baseline, const QString& name,
                           const QString& base, quint32 colour);
  // The statement that copies a colour's name and display colour into the
  // PRODUCTS rows of its id (TProductsRenameClass).
  static QString UpdateProductsColour(qint64 id, const QString& name, quint32 colour);
};

#include "SchemaClass.h"

#include "KvDb.h"

#include <QMap>
#include <QSet>

namespace kvschema {

namespace {

// Short builders keep the layout below readable as a table.
ColumnDef Col(const char* n, Kind k, int length = 0, const char* def = "") {
  return {n, k, length, false, def};
}
ColumnDef Id() { return Col("ID", Kind::Id); }
ColumnDef Int(const char* n) { return Col(n, Kind::Integer); }
ColumnDef Qty(const char* n) { return Col(n, Kind::Integer, 0, "0"); }
ColumnDef Money(const char* n) { return Col(n, Kind::Money); }
ColumnDef Real(const char* n) { return Col(n, Kind::Float); }
ColumnDef Flag(const char* n) { return Col(n, Kind::Flag); }
ColumnDef Stamp(const char* n) { return Col(n, Kind::Stamp); }
ColumnDef Txt(const char* n, int length = 0) { return Col(n, Kind::Text, length); }
ColumnDef Key(ColumnDef c) { c.notNull = true; return c; }

// Text widths. They are generous on purpose: SQLite does not enforce them and
// PostgreSQL does, so a width that ordinary data can reach would make the two
// editions behave differently.
constexpr int kPlu = 20;       // 8-character root PLU + 2-digit size index
constexpr int kRootPlu = 16;
constexpr int kCode = 20;
constexpr int kName = 60;
constexpr int kStyle = 50;
constexpr int kDescription = 120;
constexpr int kSizeName = 10;
constexpr int kAddress = 100;

std::vector<TableDef> BuildTables() {
  return {
      {"PRODUCTS",
       {Id(), Key(Txt("ROOT_PLU", kRootPlu)), Key(Txt("PLU", kPlu)), Stamp("DATE_CREATED"),
        Stamp("DATE_LASTDEL"), Txt("STYLE", kStyle), Txt("STYLE_REF", kStyle),
        Txt("DESCRIPTION", kDescription), Int("COLOUR_ID"), Txt("COLOUR_NAME", kName),
        Int("COLOUR_VALUE"), Int("SUPPLIER_ID"), Txt("SUPPLIER_NAME", kName), Int("BRANDLABEL_ID"),
        Txt("BRANDLABEL_NAME", kName), Int("SEASON_ID"), Txt("SEASON_NAME", kName),
        Int("CATEGORY_ID"), Txt("CATEGORY_NAME", kName), Int("DEPARTMENT_ID"),
        Txt("DEPARTMENT_NAME", kName), Int("SUBDEPARTMENT_ID"), Txt("SUBDEPARTMENT_NAME", kName),
        Flag("ECOM_FLAG"), Int("SIZESSCALE_ID"), Txt("SIZESSCALE_NAME", kName), Int("SIZE_ID"),
        Txt("SIZE_NAME", kSizeName), Int("SIZE_OFFSET"), Int("VAT_ID"), Txt("VAT_NAME", kName),
        Real("VAT_RATE"), Money("CURRENT_COST_PRICE"), Money("RETAIL_PRICE"),
        Money("WHOLESALE_PRICE"), Money("SALEPRICE"), Txt("EXTERNAL_BARCODE", kCode + 10),
        Txt("SKU", kCode + 10), Txt("COMMENTS"), Txt("POS_COMMENTS")}},
      {"BRANCHSTOCK",
       {Id(), Key(Txt("PLU", kPlu)), Txt("ROOT_PLU", kRootPlu), Key(Int("BRANCH_ID")),
        Txt("BRANCH_NAME", kName), Qty("STOCK_QUANTITY"), Qty("MIN_STOCK_QUANTITY"),
        Qty("MAX_STOCK_QUANTITY"), Qty("BARCODES_QUANTITY"), Money("BSRETAIL_PRICE")}},
      {"PARAMETERS",
       {Id(), Txt("NAME", kName), Key(Txt("TYPE", 30)), Real("RATE"), Money("VALUE"),
        Txt("EXTRA", kName), Int("PARENT_ID"), Txt("PARENT_NAME", kName)}},
      {"SIZESSCALE", {Id(), Txt("NAME", kName), Int("COUNTER"), Int("DEFAULT_ID")}},
      {"SIZES",
       // RATIO: a size's share in a ratio fill, fractions allowed.
       {Id(), Key(Int("SIZESSCALE_ID")), Txt("NAME", kSizeName), Int("offset"), Real("RATIO")}},
      {"ADDRESSES",
       {Id(), Int("PARENT_ID"), Txt("TYPE", 30), Txt("HOUSE_NO_NAME", kAddress),
        Txt("STREET", kAddress), Txt("AREA", kAddress), Txt("TOWN_CITY", kAddress),
        Txt("COUNTY", kAddress), Txt("POSTCODE", kCode), Txt("TELEPHONE", 30), Txt("FAX", 30),
        Txt("EMAIL", kAddress), Txt("WEBSITE", kAddress), Real("MARKUP"), Int("LEADTIME"),
        Txt("TERMS"), Txt("AGENT_FIRST_NAME", kName), Txt("AGENT_SURNAME", kName),
        Txt("AGENT_TELEPHONE", 30), Txt("AGENT_FAX", 30), Txt("AGENT_EMAIL", kAddress)}},
      {"WSPACKS", {Id(), Key(Txt("STYLE", kStyle)), Txt("BARCODE", kCode)}},
      {"WSPACKLINES",
       {Id(), Key(Txt("PLU", kPlu)), Txt("ROOTPLU", kRootPlu), Txt("BARCODE", kCode), Qty("QTY")}},
      {"PRODUCTSCHARGES",
       {Id(), Txt("STYLE", kStyle), Txt("CHARGE", kName), Money("COST_PRICE"),
        Money("RETAIL_PRICE")}},
      {"PRODUCTOPTIONS", {Id(), Txt("ROOT_PLU", kRootPlu), Int("OPTION_ID"), Txt("VALUE")}},
      {"BRANCHES", {Id(), Txt("NAME", kName), Txt("CODE", kCode)}},
      {"STAFF",
       {Id(), Txt("USERNAME", 30), Txt("PASSWORD", 30), Int("SECURITY_LEVEL"),
        Txt("DISPLAYNAME", kName)}},
      {"SECURITY", {Id(), Int("SECURITY_LEVEL"), Txt("SECURITY_FUNCTION", kName)}},
      {"COMPANY",
       {Id(), Txt("COMPANY_NAME", kAddress), Txt("COMPANY_NO", 30), Txt("VAT_NO", 30)}},
      // Movements, written by the tills and the head-office programs.
      {"ORDERS", {Id(), Txt("PLU", kPlu), Int("QTY"), Int("DELIVERY")}},
      {"TRANSFERS",
       {Id(), Txt("PLU", kPlu), Int("QTY"), Int("RECEIVED"), Int("SOURCE"), Int("DESTINATION")}},
      {"RETURNS", {Id(), Txt("PLU", kPlu), Int("QTY"), Int("SOURCE")}},
      {"WRITEOFFS", {Id(), Txt("PLU", kPlu), Int("QTY"), Int("SOURCE")}},
      {"TRANSACTIONS",
       {Id(), Txt("FULL_PLU_STRING", 30), Int("QUANTITY"), Int("BRANCH_ID"), Stamp("DATE")}},
  };
}

IndexDef Ix(const char* table, QStringList columns, bool unique = false) {
  QString name = QString(unique ? "UX_" : "IX_") + table;
  for (const QString& c : columns) name += "_" + c.toUpper();
  return {name, table, columns, unique, QString()};
}

// An index of its own name on expressions, or over the rows of a condition.
IndexDef IxOn(const char* name, const char* table, QStringList expressions, const char* where = "") {
  return {name, table, expressions, false, where};
}

std::vector<IndexDef> BuildIndexes() {
  return {
      // Keys the writers find rows by; a repeat would corrupt the data.
      Ix("PRODUCTS", {"PLU"}, true),
      Ix("BRANCHSTOCK", {"PLU", "BRANCH_ID"}, true),
      Ix("WSPACKS", {"STYLE"}, true),
      Ix("WSPACKLINES", {"PLU"}, true),
      Ix("SIZESSCALE", {"NAME"}, true),
      // Searches, renames and reports.
      Ix("PRODUCTS", {"ROOT_PLU"}),
      Ix("PRODUCTS", {"STYLE"}),
      Ix("PRODUCTS", {"SUPPLIER_ID"}),
      Ix("PRODUCTS", {"COLOUR_ID"}),
      Ix("PRODUCTS", {"BRANDLABEL_ID"}),
      Ix("PRODUCTS", {"SEASON_ID"}),
      Ix("PRODUCTS", {"CATEGORY_ID"}),
      Ix("PRODUCTS", {"DEPARTMENT_ID"}),
      Ix("PRODUCTS", {"SIZESSCALE_ID", "SIZE_ID"}),
      Ix("BRANCHSTOCK", {"ROOT_PLU", "BRANCH_ID"}),
      Ix("BRANCHSTOCK", {"BRANCH_ID"}),
      Ix("PARAMETERS", {"TYPE", "NAME"}),
      Ix("PARAMETERS", {"TYPE", "PARENT_ID"}),
      Ix("SIZES", {"SIZESSCALE_ID", "offset"}),
      Ix("ADDRESSES", {"PARENT_ID", "TYPE"}),
      Ix("WSPACKLINES", {"ROOTPLU"}),
      Ix("PRODUCTSCHARGES", {"STYLE", "CHARGE"}),
      Ix("PRODUCTOPTIONS", {"ROOT_PLU", "OPTION_ID"}),
      Ix("STAFF", {"USERNAME"}),
      Ix("SECURITY", {"SECURITY_LEVEL", "SECURITY_FUNCTION"}),
      Ix("ORDERS", {"PLU"}),
      Ix("TRANSFERS", {"PLU"}),
      Ix("RETURNS", {"PLU"}),
      Ix("WRITEOFFS", {"PLU"}),
      Ix("TRANSACTIONS", {"FULL_PLU_STRING"}),
  };
}

// What the searches and the stock reports need on a catalogue of a million
// PLUs and ten million stock rows, beside the keys above.
std::vector<IndexDef> BuildReportIndexes() {
  return {
      // Stock summed per PLU, or per root PLU and branch, read from the index alone.
      Ix("BRANCHSTOCK", {"PLU", "BRANCH_ID", "STOCK_QUANTITY"}),
      Ix("BRANCHSTOCK", {"ROOT_PLU", "BRANCH_ID", "PLU", "STOCK_QUANTITY"}),
      // A style's size runs from the index alone: its root PLUs, PLUs, size
      // offsets, colour and size names and row ids (the style stock reports
      // read these for hundreds of styles at a time). Named, as the columns
      // would make a name longer than PostgreSQL keeps.
      IxOn("IX_PRODUCTS_STYLE_SIZE_RUNS", "PRODUCTS",
           {"STYLE", "ROOT_PLU", "PLU", "SIZE_OFFSET", "COLOUR_NAME", "SIZE_NAME", "ID"}),
      // The search dialog's prefix filters on the free-text name columns.
      Ix("PRODUCTS", {"SUPPLIER_NAME"}),
      Ix("PRODUCTS", {"STYLE_REF"}),
      Ix("PRODUCTS", {"DESCRIPTION"}),
      Ix("PRODUCTS", {"COLOUR_NAME"}),
      // Sales of a PLU between two dates.
      Ix("TRANSACTIONS", {"FULL_PLU_STRING", "DATE"}),
      // The style editor's one-click searches: a price, an external code in
      // capitals (codes are stored as typed), and the few rows of each flag.
      Ix("PRODUCTS", {"RETAIL_PRICE"}),
      Ix("PRODUCTS", {"CURRENT_COST_PRICE"}),
      IxOn("IX_PRODUCTS_UPPER_EXTERNAL_BARCODE", "PRODUCTS", {"UPPER(EXTERNAL_BARCODE)"}),
      IxOn("IX_PRODUCTS_UPPER_SKU", "PRODUCTS", {"UPPER(SKU)"}),
      IxOn("IX_PRODUCTS_COST_OVER_RETAIL", "PRODUCTS", {"ROOT_PLU", "ID"}, "CURRENT_COST_PRICE > RETAIL_PRICE"),
      IxOn("IX_PRODUCTS_ECOM", "PRODUCTS", {"ROOT_PLU", "ID"}, "ECOM_FLAG = true"),
  };
}

QString TypeSql(const ColumnDef& c, bool postgres) {
  switch (c.kind) {
    case Kind::Id:
    case Kind::Integer: return "INTEGER";
    case Kind::Money: return "NUMERIC(19,4)";
    case Kind::Float: return "DOUBLE PRECISION";
    case Kind::Flag: return "BOOLEAN";
    case Kind::Stamp: return "TIMESTAMP";
    case Kind::Text: break;
  }
  // SQLite compares text bytewise already; PostgreSQL needs the C collation
  // whatever the database's default, so sorting and LIKE agree.
  QString type = c.length > 0 ? QString("VARCHAR(%1)").arg(c.length) : QString("TEXT");
  return postgres ? type + " COLLATE \"C\"" : type;
}

QString IdSql(bool postgres) {
  return postgres ? "INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"
                  : "INTEGER PRIMARY KEY AUTOINCREMENT";
}

// A column as ALTER TABLE can add it to a table that already has rows: no
// key or NOT NULL constraint (SQLite refuses them there), only the default.
QString AddedColumnSql(const ColumnDef& c, bool postgres) {
  QString sql = Ident(c.name) + " " + TypeSql(c, postgres);
  if (!c.defaultValue.isEmpty()) sql += " DEFAULT " + c.defaultValue;
  return sql;
}

}  // namespace

QString CreateTableSql(const TableDef& t, bool postgres) {
  QStringList cols;
  for (const ColumnDef& c : t.columns) cols << ColumnSql(c, postgres);
  return "CREATE TABLE IF NOT EXISTS " + t.name + " (" + cols.join(", ") + ")";
}

QString CreateIndexSql(const IndexDef& ix) {
  QStringList cols;
  for (const QString& c : ix.columns) cols << Ident(c);
  return QString("CREATE %1INDEX IF NOT EXISTS %2 ON %3 (%4)%5")
      .arg(ix.unique ? "UNIQUE " : "", ix.name, ix.table, cols.join(", "),
           ix.where.isEmpty() ? QString() : " WHERE " + ix.where);
}

namespace {

// The first column of every row of a catalog query, upper case.
QStringList UpperColumn(kdb::Database& db, const QString& sql) {
  kdb::Query q(&db);
  q.SQL = sql;
  q.ExecSQL();
  QStringList out;
  for (q.First(); !q.Eof(); q.Next()) out << q.Fields(0).AsString().toUpper();
  q.Close();
  return out;
}

QSet<QString> ToSet(const QStringList& l) { return QSet<QString>(l.begin(), l.end()); }

}  // namespace

const ColumnDef* TableDef::Find(const QString& column) const {
  for (const ColumnDef& c : columns)
    if (c.name.compare(column, Qt::CaseInsensitive) == 0) return &c;
  return nullptr;
}

const std::vector<TableDef>& Tables() {
  static const std::vector<TableDef> tables = BuildTables();
  return tables;
}

const TableDef* FindTable(const QString& name) {
  for (const TableDef& t : Tables())
    if (t.name.compare(name, Qt::CaseInsensitive) == 0) return &t;
  return nullptr;
}

const std::vector<IndexDef>& Indexes() {
  static const std::vector<IndexDef> indexes = [] {
    std::vector<IndexDef> all = BuildIndexes();
    for (IndexDef& ix : BuildReportIndexes()) all.push_back(std::move(ix));
    return all;
  }();
  return indexes;
}

QString Ident(const QString& name) {
  // Upper-case names stand bare (PostgreSQL folds them, SQLite ignores case);
  // a lower-case name is a keyword kept as a column and must be quoted.
  return name == name.toUpper() ? name : "\"" + name + "\"";
}

QString ColumnSql(const ColumnDef& c, bool postgres) {
  if (c.kind == Kind::Id) return Ident(c.name) + " " + IdSql(postgres);
  QString sql = Ident(c.name) + " " + TypeSql(c, postgres);
  if (c.notNull) sql += " NOT NULL";
  if (!c.defaultValue.isEmpty()) sql += " DEFAULT " + c.defaultValue;
  return sql;
}

QStringList SchemaChanges::Lines() const {
  QStringList out;
  for (const QString& t : tables) out << "Created table " + t;
  for (const QString& c : columns) out << "Added column " + c;
  for (const QString& c : retyped) out << "Changed the type of column " + c;
  for (const QString& i : indexes) out << "Created index " + i;
  return out;
}

QStringList ExistingTables(kdb::Database& db) {
  return UpperColumn(db, db.IsPostgres()
                             ? "SELECT CAST(table_name AS VARCHAR(128)) AS NAME"
                               " FROM information_schema.tables"
                               " WHERE table_schema = current_schema()"
                               " AND table_type = 'BASE TABLE'"
                             : "SELECT name FROM sqlite_master WHERE type = 'table'");
}

QStringList ExistingColumns(kdb::Database& db, const QString& table) {
  return UpperColumn(db, db.IsPostgres()
                             ? "SELECT CAST(column_name AS VARCHAR(128)) AS NAME"
                               " FROM information_schema.columns"
                               " WHERE table_schema = current_schema() AND table_name = " +
                                   kdb::sql::Quote(table.toLower())
                             : "SELECT name FROM pragma_table_info(" +
                                   kdb::sql::Quote(table.toUpper()) + ")");
}

QMap<QString, QString> ExistingColumnTypes(kdb::Database& db, const QString& table) {
  kdb::Query q(&db);
  q.SQL = db.IsPostgres() ? "SELECT CAST(column_name AS VARCHAR(128)) AS NAME, CAST(data_type AS VARCHAR(128)) AS TYPE"
                            " FROM information_schema.columns"
                            " WHERE table_schema = current_schema() AND table_name = " +
                                kdb::sql::Quote(table.toLower())
                          : "SELECT name AS NAME, type AS TYPE FROM pragma_table_info(" +
                                kdb::sql::Quote(table.toUpper()) + ")";
  q.ExecSQL();
  QMap<QString, QString> out;
  for (q.First(); !q.Eof(); q.Next())
    out.insert(q.FieldByName("NAME").AsString().toUpper(), q.FieldByName("TYPE").AsString().toUpper());
  return out;
}

QStringList ExistingIndexes(kdb::Database& db) {
  return UpperColumn(db, db.IsPostgres()
                             ? "SELECT CAST(indexname AS VARCHAR(128)) AS NAME FROM pg_indexes"
                               " WHERE schemaname = current_schema()"
                             : "SELECT name FROM sqlite_master WHERE type = 'index'");
}

namespace {

// A column an older layout made INTEGER that now holds fractions.
bool NeedsFractions(const ColumnDef& c, const QString& existingType) {
  return (c.kind == Kind::Float || c.kind == Kind::Money) && existingType.startsWith("INT");
}

// SQLite cannot change a column's type: the table is made again in the new
// layout and its rows copied over (its indexes follow with the index step).
void RebuildSqliteTable(kdb::Database& db, const TableDef& t, const QStringList& keptColumns) {
  const QString fresh = "KV_REBUILD_" + t.name;
  QStringList cols;
  for (const QString& c : keptColumns) cols << Ident(c);
  db.Execute("DROP TABLE IF EXISTS " + fresh);
  TableDef copy = t;
  copy.name = fresh;
  db.Execute(CreateTableSql(copy, false));
  db.Execute("INSERT INTO " + fresh + " (" + cols.join(", ") + ") SELECT " + cols.join(", ") + " FROM " + t.name);
  db.Execute("DROP TABLE " + t.name);
  db.Execute("ALTER TABLE " + fresh + " RENAME TO " + t.name);
}

// Gives every column that must hold fractions a fractional type, keeping
// its values.
void WidenColumns(kdb::Database& db, const TableDef& t, SchemaChanges& done) {
  const QMap<QString, QString> types = ExistingColumnTypes(db, t.name);
  QStringList widen;
  for (const ColumnDef& c : t.columns)
    if (types.contains(c.name.toUpper()) && NeedsFractions(c, types.value(c.name.toUpper()))) widen << c.name;
  if (widen.isEmpty()) return;
  if (db.IsPostgres()) {
    for (const QString& name : widen) {
      const ColumnDef* c = t.Find(name);
      db.Execute("ALTER TABLE " + t.name + " ALTER COLUMN " + Ident(name) + " TYPE " + TypeSql(*c, true));
    }
  } else {
    QStringList kept;
    for (const ColumnDef& c : t.columns)
      if (types.contains(c.name.toUpper())) kept << c.name;
    RebuildSqliteTable(db, t, kept);
  }
  for (const QString& name : widen) done.retyped << t.name + "." + name;
}

}  // namespace

SchemaChanges CreateSchema(kdb::Database& db) {
  const bool pg = db.IsPostgres();
  SchemaChanges done;
  db.StartTransaction();
  try {
    const QSet<QString> tables = ToSet(ExistingTables(db));
    for (const TableDef& t : Tables()) {
      if (!tables.contains(t.name)) {
        db.Execute(CreateTableSql(t, pg));
        done.tables << t.name;
        continue;
      }
      const QSet<QString> have = ToSet(ExistingColumns(db, t.name));
      for (const ColumnDef& c : t.columns) {
        if (have.contains(c.name.toUpper())) continue;
        db.Execute("ALTER TABLE " + t.name + " ADD COLUMN " + AddedColumnSql(c, pg));
        done.columns << t.name + "." + c.name;
      }
      WidenColumns(db, t, done);
    }
    const QSet<QString> indexes = ToSet(ExistingIndexes(db));
    for (const IndexDef& ix : Indexes()) {
      if (indexes.contains(ix.name)) continue;
      db.Execute(CreateIndexSql(ix));
      done.indexes << ix.name;
    }
    db.Commit();
  } catch (...) {
    db.Rollback();
    throw;
  }
  return done;
}

void SyncIdCounters(kdb::Database& db) {
  if (!db.IsPostgres()) return;  // AUTOINCREMENT already follows the highest rowid
  for (const TableDef& t : Tables()) {
    const ColumnDef* id = t.Find("ID");
    if (!id || id->kind != Kind::Id) continue;
    kdb::Query q(&db);
    q.SQL = "SELECT setval(pg_get_serial_sequence(" + kdb::sql::Quote(t.name.toLower()) +
            ", 'id'), COALESCE(MAX(ID), 0) + 1, false) AS NEXT_ID FROM " + t.name;
    q.ExecSQL();
    q.Close();
  }
}

}  // namespace kvschema

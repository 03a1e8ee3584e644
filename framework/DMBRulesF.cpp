#include "DMBRulesF.h"

#include "DataModF.h"
#include "Format.h"
#include "KvTransaction.h"

TDMBRules* DMBRules = nullptr;

namespace {

// Cancels a pending change after a failed write; the table may itself be the
// reason the write failed, so its own failure is dropped.
void CancelPending(kdb::Table* table) {
  try {
    if (table) table->Cancel();
  } catch (...) {
  }
}

}  // namespace

TDMBRules::TDMBRules(QObject* owner) : QObject(owner) {
  setObjectName("DMBRules");
  if (!DMBRules) DMBRules = this;
}

TDMBRules::~TDMBRules() {
  if (DMBRules == this) DMBRules = nullptr;
}

// ----- names within a list -----------------------------------------------------

bool TDMBRules::ParamNameExists(const QString& name, const QString& type, int id) {
  try {
    SQLText = "select name from parameters where name = " + kdb::sql::Quote(name) +
              " and type = " + kdb::sql::Quote(type) + " and id <> " + kdb::sql::Int(id);
  } catch (const std::exception& e) {
    DMDB->LogException(e, "TDMBRules::ParamNameExists");
    return true;
  }
  return NameExists(SQLText);
}

bool TDMBRules::ParamNameExists(const QString& name, const QString& type, int id,
                                const QString& parentId) {
  try {
    SQLText = "select name from parameters where name = " + kdb::sql::Quote(name) +
              " and type = " + kdb::sql::Quote(type) + " and parent_id = " +
              kdb::sql::Int(parentId) + " and id <> " + kdb::sql::Int(id);
  } catch (const std::exception& e) {
    // A parent id that is no number cannot be checked: count the name as
    // taken so that nothing is saved.
    DMDB->LogException(e, "TDMBRules::ParamNameExists");
    return true;
  }
  return NameExists(SQLText);
}

bool TDMBRules::NameExists(const QString& statement) {
  // A statement that failed proves nothing: the name counts as taken, so a
  // broken query can never let a duplicate through.
  if (!DMDB->RunQuery(statement, DMDB->DBQueryBRules)) return true;
  return DMDB->DBQueryBRules->RecordCount() > 0;
}

// ----- parameter rows ------------------------------------------------------------

bool TDMBRules::SaveParam(int& id, const QString& type, const QString& parentName,
                          const QString& parentId, Currency value, float rate, const QString& name) {
  return WriteParam(id, type, parentName, parentId, nullptr, value, rate, name);
}

bool TDMBRules::SaveParam(int& id, const QString& type, const QString& parentName,
                          const QString& parentId, const QString& extra, Currency value, float rate,
                          const QString& name) {
  return WriteParam(id, type, parentName, parentId, &extra, value, rate, name);
}

bool TDMBRules::WriteParam(int& id, const QString& type, const QString& parentName,
                           const QString& parentId, const QString* extra, Currency value,
                           float rate, const QString& name) {
  kdb::Table* t = DMDB->DBTableR1;
  try {
    DMDB->GetTable("PARAMETERS", t);
    if (id != 0) {
      if (!t->FindKey({id})) return false;
      t->Edit();
    } else {
      t->Insert();
    }
    t->FieldByName("NAME").SetAsString(name);
    t->FieldByName("TYPE").SetAsString(type);
    t->FieldByName("RATE").SetAsFloat(rate);
    t->FieldByName("VALUE").SetAsCurrency(value);
    if (extra) t->FieldByName("EXTRA").SetAsString(*extra);
    if (!parentId.isEmpty()) {
      t->FieldByName("PARENT_ID").SetAsString(parentId);
      t->FieldByName("PARENT_NAME").SetAsString(parentName);
    }
    t->Post();
    id = static_cast<int>(t->FieldByName("ID").AsInteger());
    return true;
  } catch (const std::exception& e) {
    CancelPending(t);
    DMDB->LogException(e, "TDMBRules::SaveParam");
    return false;
  }
}

void TDMBRules::SetDefaultSeason(const QString& id) {
  try {
    SQLText = "update parameters set parent_id = " + kdb::sql::Int(id) + " where type = 'SEASON'";
  } catch (const std::exception& e) {
    DMDB->LogException(e, "TDMBRules::SetDefaultSeason");
    return;
  }
  DMDB->RunQuery(SQLText, DMDB->DBQueryBRules);
}

// ----- wholesale packs ---------------------------------------------------------------

bool TDMBRules::SaveWSPack(const QString& style, QString& barcode) {
  kdb::Table* t = DMDB->DBTableR1;
  try {
    // The row and its barcode are one unit: a pack row is never left
    // without the barcode every later save would hand out.
    kdb::Transaction tx(*DMDB->DBDatabaseRemote);
    if (!DMDB->GetTable("WSPACKS", t)) throw kdb::DbError("The table WSPACKS could not be opened.");
    if (!t->FindKey({style})) {
      t->Insert();
      t->FieldByName("STYLE").SetAsString(style);
      try {
        t->Post();
      } catch (const kdb::DbError&) {
        // The row was written and a later step failed: the unit rolls back.
        if (t->GetState() != kdb::Table::State::Insert) throw;
        // The insert itself was refused: another program added the style's
        // pack at the same moment (the unique index keeps one), and its row
        // is the pack.
        CancelPending(t);
        if (!t->FindKey({style})) throw;
      }
    }
    barcode = t->FieldByName("BARCODE").AsString();
    if (barcode.isEmpty()) {
      // A new row, or one an earlier program left half-written. Edit reads
      // it again under its lock, so a barcode given meanwhile is kept.
      t->Edit();
      barcode = t->FieldByName("BARCODE").AsString();
      if (barcode.isEmpty()) {
        // The barcode carries the row's own id, known only once it is posted.
        barcode = "99" + kos::FormatFloat("00000000", double(t->FieldByName("ID").AsInteger()));
        t->FieldByName("BARCODE").SetAsString(barcode);
        t->Post();
      } else {
        t->Cancel();
      }
    }
    tx.Commit();
    return true;
  } catch (const std::exception& e) {
    CancelPending(t);
    barcode.clear();
    DMDB->LogException(e, "TDMBRules::SaveWSPack");
    return false;
  }
}

bool TDMBRules::SaveWSPackLine(const QString& plu, const QString& rootPlu, int quantity,
                               const QString& barcode) {
  kdb::Table* t = DMDB->DBTableR1;
  try {
    // A run of lines opens the table once.
    if (!t->Active() || t->TableName.compare("WSPACKLINES", Qt::CaseInsensitive) != 0)
      DMDB->GetTable("WSPACKLINES", t);
    if (t->FindKey({plu}))
      t->Edit();
    else
      t->Insert();
    t->FieldByName("PLU").SetAsString(plu);
    t->FieldByName("ROOTPLU").SetAsString(rootPlu);
    t->FieldByName("BARCODE").SetAsString(barcode);
    t->FieldByName("QTY").SetAsInteger(quantity < 0 ? 0 : quantity);
    t->Post();
    return true;
  } catch (const std::exception& e) {
    CancelPending(t);
    DMDB->LogException(e, "TDMBRules::SaveWSPackLine");
    return false;
  }
}

QString TDMBRules::GetImgFileName(const QString& name) { return name + ".jpg"; }

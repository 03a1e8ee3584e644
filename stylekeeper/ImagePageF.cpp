// The image page: layout, wiring and handlers, with the TForm1 entry points
// of those handlers. Showing the stored picture of a style that is loaded is
// the window's (StyleKeeperFormLoad.cpp); the square, the JPEG and the file
// write are TPictureFileClass's.
#include "ImagePageF.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>

#include "DMBRulesF.h"
#include "DataModF.h"
#include "KvBusyGuard.h"
#include "KvEdit.h"
#include "KvPicture.h"
#include "ModalSeam.h"
#include "PictureFileClass.h"
#include "StyleKeeperControls.h"
#include "StyleKeeperForm.h"

void TForm1::SpButTabImageClick() { ImagePage->Open(); }
void TForm1::SpButImgLoadClick() { ImagePage->LoadImage(); }
void TForm1::SpButImgApplyClick() { ImagePage->Apply(); }
void TForm1::SpButImgCopyClick() { ImagePage->CopyToColours(); }
void TForm1::SpButImgClearClick() { ImagePage->Clear(); }

namespace {

constexpr const char* kNoStyle = "Please select a style.";

}  // namespace

TImagePage::TImagePage(TForm1& form) : TFormPart(form, "TabShImage", "Image") {
  QVBoxLayout* layout = SheetLayout();
  PanelImageStyle = skui::MakePanel(Sheet, "PanelImageStyle", QString());
  layout->addWidget(PanelImageStyle, 0, Qt::AlignLeft);
  ImageLarge = skui::MakeLabel(Sheet, "ImageLarge", QString());
  ImageLarge->setFixedSize(TPictureFileClass::kFrame, TPictureFileClass::kFrame);
  ImageLarge->setAlignment(Qt::AlignCenter);
  ImageLarge->hide();
  layout->addWidget(ImageLarge, 0, Qt::AlignHCenter);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  SpButImgLoad = skui::MakeButton(Sheet, "SpButImgLoad", "Load Image", 110);
  SpButImgClear = skui::MakeButton(Sheet, "SpButImgClear", "Clear Image", 110);
  SpButImgCopy = skui::MakeButton(Sheet, "SpButImgCopy", "Copy Image", 110);
  SpButImgApply = skui::MakeButton(Sheet, "SpButImgApply", "Apply", 110);
  for (QToolButton* b : {SpButImgLoad, SpButImgClear, SpButImgCopy, SpButImgApply}) buttons->addWidget(b);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  layout->addStretch(1);

  OnClick(SpButImgLoad, "TForm1::SpButImgLoadClick", [&form] { form.SpButImgLoadClick(); });
  OnClick(SpButImgApply, "TForm1::SpButImgApplyClick", [&form] { form.SpButImgApplyClick(); });
  OnClick(SpButImgCopy, "TForm1::SpButImgCopyClick", [&form] { form.SpButImgCopyClick(); });
  OnClick(SpButImgClear, "TForm1::SpButImgClearClick", [&form] { form.SpButImgClearClick(); });
}

QString TImagePage::PictureFile(const QString& rootPLU) const {
  return Form.ImagesFolder + TDMBRules::GetImgFileName(rootPLU);
}

void TImagePage::Open() {
  ShowSheet();
  PanelImageStyle->setText(Form.EditSupplierStyle->text());
  skui::SetVisible({SpButImgLoad, SpButImgClear, SpButImgCopy, SpButImgApply}, DMDB->Setup->LOUseImages);
}

void TImagePage::ForgetLoaded() {
  loaded_ = QImage();
  loadedFor_.clear();
  loadedShownKey_ = 0;
}

QImage TImagePage::ShownPicture() const {
  if (ImageLarge->isHidden()) return QImage();
  const QString rootPLU = Form.LoadedRootPLU();
  // The loaded picture counts only while it is still the one on screen for
  // the same colour: showing a style again puts the stored one there.
  if (!loaded_.isNull() && loadedFor_ == rootPLU && ImageLarge->pixmap().cacheKey() == loadedShownKey_)
    return loaded_;
  return kui::LoadPicture(PictureFile(rootPLU));
}

void TImagePage::ShowStyleAgain(const QString& rootPLU) {
  Form.RootPLUToOpen = rootPLU;
  Form.FormShow();
  Open();
}

void TImagePage::LoadImage() {
  const QString rootPLU = Form.LoadedRootPLU();
  if (rootPLU.isEmpty()) {
    DMDB->ShowMessage(kNoStyle);
    return;
  }
  const QString file = kui::ModalSeam::GetOpenFileName(&Form, "Load Image", QString(), kFileFilter);
  if (file.isEmpty()) return;
  QString why;
  const QImage picture = kui::LoadPicture(file, &why);
  if (picture.isNull()) {
    // The stored picture is still the colour's and stays on screen.
    DMDB->LogException(file + ": " + why, "TForm1::SpButImgLoadClick");
    DMDB->ShowMessage("Unable to load image " + file + "\n" + why);
    return;
  }
  loaded_ = picture;
  loadedFor_ = rootPLU;
  ImageLarge->setPixmap(
      QPixmap::fromImage(picture.scaled(ImageLarge->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  loadedShownKey_ = ImageLarge->pixmap().cacheKey();
  ImageLarge->show();
}

QImage TImagePage::PictureToWrite(const QString& noneMessage) const {
  const QImage picture = Form.LoadedRootPLU().isEmpty() ? QImage() : ShownPicture();
  if (picture.isNull()) DMDB->ShowMessage(noneMessage);
  return picture;
}

void TImagePage::Apply() {
  const QString rootPLU = Form.LoadedRootPLU();
  const QImage picture = PictureToWrite("There is no image to save.");
  if (picture.isNull()) return;
  try {
    kui::KvBusyGuard busy(&Form, "Please wait saving image...");
    TPictureFileClass::Save(PictureFile(rootPLU), TPictureFileClass::Jpeg(TPictureFileClass::Fit(picture)));
  } catch (const std::exception& e) {
    // The picture stays on screen, so Apply can be tried again.
    DMDB->LogException(e, "TForm1::SpButImgApplyClick");
    DMDB->ShowMessage("Unable to save image.\n" + TDMDB::ExceptionMessage(e));
    return;
  }
  ForgetLoaded();
  DMDB->ShowMessage("Image saved");
  ShowStyleAgain(rootPLU);
}

void TImagePage::CopyToColours() {
  const QString rootPLU = Form.LoadedRootPLU();
  const QImage picture = PictureToWrite("There is no image to copy.");
  if (picture.isNull()) return;
  QStringList failed;
  QString why;
  try {
    kui::KvBusyGuard busy(&Form, "Please wait copying image...");
    kdb::Query* q = DMDB->DBQueryRemote1;
    const QString sql = "select root_plu from products where style in (select style from products where root_plu = " +
                        kdb::sql::Quote(rootPLU) + ") group by root_plu order by root_plu";
    if (!DMDB->RunQuery(sql, q)) throw kdb::DbError("The colours of the style could not be read.");
    QStringList colours;
    for (q->First(); !q->Eof(); q->Next()) colours << q->FieldByName("root_plu").AsString();
    // The picture keeps its own size here: only Apply makes the square.
    const QByteArray bytes = TPictureFileClass::Jpeg(picture);
    for (const QString& colour : colours) {
      try {
        TPictureFileClass::Save(PictureFile(colour), bytes);
      } catch (const std::exception& e) {
        DMDB->LogException(e, "TForm1::SpButImgCopyClick");
        failed << colour;
        why = TDMDB::ExceptionMessage(e);
      }
    }
  } catch (const std::exception& e) {
    DMDB->LogException(e, "TForm1::SpButImgCopyClick");
    DMDB->ShowMessage("Unable to copy image.\n" + TDMDB::ExceptionMessage(e));
    return;
  }
  if (!failed.isEmpty()) {
    // The picture stays on screen, so Copy can be tried again.
    DMDB->ShowMessage("Unable to copy image to: " + failed.join(", ") + "\n" + why);
    return;
  }
  ForgetLoaded();
  ShowStyleAgain(rootPLU);
  DMDB->ShowMessage("Image was copied successfully!");
}

void TImagePage::Clear() {
  const QString rootPLU = Form.LoadedRootPLU();
  if (rootPLU.isEmpty()) {
    DMDB->ShowMessage(kNoStyle);
    return;
  }
  QFile file(PictureFile(rootPLU));
  // A colour without a picture file is no failure.
  if (file.exists() && !file.remove()) {
    DMDB->LogException(file.fileName() + ": " + file.errorString(), "TForm1::SpButImgClearClick");
    DMDB->ShowMessage("Unable to clear image.\n" + file.errorString());
    return;
  }
  ForgetLoaded();
  for (QLabel* image : {ImageLarge, Form.ImageSmall}) {
    image->clear();
    image->hide();
  }
}

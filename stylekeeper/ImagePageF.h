#pragma once
// The image page: the picture of the shown colour (root PLU), 300 x 300, and
// the buttons that load a picture from disk, apply it as the colour's
// 300 x 300 JPEG file, copy it to every colour of the style and clear it.
//
// A picture loaded from disk is only shown until Apply or Copy writes it:
// the stored file stays as it was until a complete new one replaces it, and
// a file that cannot be read leaves it untouched. Every button acts on the
// root PLU that is loaded in the window, never on the text of the root PLU
// box, which the user may have typed over.
#include <QImage>
#include <QString>

#include "FormPartF.h"

class QLabel;
class QToolButton;

class TImagePage : public TFormPart {
  Q_OBJECT
 public:
  explicit TImagePage(TForm1& form);

  static constexpr const char* kFileFilter = "JPEG Image File (*.jpg)";

  // "Image": shows the page for the style on screen.
  void Open();
  // "Load Image": shows a picture chosen on disk; writes nothing.
  void LoadImage();
  // "Apply": writes the shown picture as the colour's 300 x 300 file.
  void Apply();
  // "Copy Image": writes the shown picture, at its own size, for every
  // colour of the style.
  void CopyToColours();
  // "Clear Image": deletes the colour's picture file.
  void Clear();

  // The picture file of a root PLU in the window's pictures folder.
  QString PictureFile(const QString& rootPLU) const;

  QLabel* PanelImageStyle = nullptr;
  QLabel* ImageLarge = nullptr;  // visible exactly when a picture is held
  QToolButton* SpButImgLoad = nullptr;
  QToolButton* SpButImgClear = nullptr;
  QToolButton* SpButImgCopy = nullptr;
  QToolButton* SpButImgApply = nullptr;

 private:
  // A picture loaded from disk and not yet written, for one root PLU, and
  // the picture it shows as (so a style shown again meanwhile is noticed).
  QImage loaded_;
  QString loadedFor_;
  qint64 loadedShownKey_ = 0;

  // The picture on screen at full size: the loaded one, else the stored
  // file; null when none is shown.
  QImage ShownPicture() const;
  // ShownPicture for a write; when there is none the user is told so.
  QImage PictureToWrite(const QString& noneMessage) const;
  void ForgetLoaded();
  // Shows the style again, as it is stored, and this page with it.
  void ShowStyleAgain(const QString& rootPLU);
};

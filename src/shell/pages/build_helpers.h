#pragma once
// Small makers shared by the page builders, so every page builds its controls the same
// way: the design name becomes the objectName, captions keep their doubled "&&" as one
// shown "&".
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QString>
#include <QToolButton>

#include "widgets/filelistbox.h"
#include "widgets/numlab.h"
#include "widgets/radiogroup.h"
#include "widgets/shape.h"
#include "widgets/spinbutton.h"

namespace pages {

// A caption as stored ("Log && options") as Qt shows it on buttons, boxes and tabs.
QString caption(const QString& stored);
// The same for plain labels (QLabel shows "&" as is: "&&" becomes "&").
QString labelText(const QString& stored);

template <class W>
W* named(W* w, const QString& name) {
  w->setObjectName(name);
  return w;
}

// TTrackBar: a slider with range and position (vertical when asked).
QSlider* trackBar(const QString& name, int min, int max, int position,
                  Qt::Orientation o = Qt::Horizontal, QWidget* parent = nullptr);
// TCheckBox.
QCheckBox* checkBox(const QString& name, const QString& caption, bool checked = false,
                    QWidget* parent = nullptr);
// TLabel / TStaticText.
QLabel* label(const QString& name, const QString& text, QWidget* parent = nullptr);
// TNumLab.
NumLab* numLab(const QString& name, double value, int decimals = 0, const QString& suffix = {},
               QWidget* parent = nullptr);
// TBitBtn / plain button.
QPushButton* button(const QString& name, const QString& caption, const QString& hint = {},
                    QWidget* parent = nullptr);
// TSpeedButton as a toggle (checkable; handlers listen to clicked() only).
QToolButton* toggleButton(const QString& name, const QString& caption, const QString& hint = {},
                          QWidget* parent = nullptr);
// TSpeedButton that is not a toggle.
QToolButton* speedButton(const QString& name, const QString& caption, const QString& hint = {},
                         QWidget* parent = nullptr);
// TEdit.
QLineEdit* edit(const QString& name, const QString& text, const QString& hint = {},
                QWidget* parent = nullptr);
// TComboBox (drop-down list; handlers listen to activated() only).
QComboBox* comboBox(const QString& name, const QStringList& items, int itemIndex = -1,
                    QWidget* parent = nullptr);
// TRadioGroup.
RadioGroup* radioGroup(const QString& name, const QString& caption, const QStringList& items,
                       int itemIndex, QWidget* parent = nullptr,
                       Qt::Orientation o = Qt::Vertical);
// TPanel.
QFrame* panel(const QString& name, QWidget* parent = nullptr);
// TShape.
Shape* shape(const QString& name, Shape::Kind kind, const QColor& brush, QWidget* parent = nullptr);
// TCSpinButton.
SpinButton* spinButton(const QString& name, QWidget* parent = nullptr);
// TUpDown.
UpDown* upDown(const QString& name, int min, int max, int position, QWidget* parent = nullptr);
// TDateTimePicker (date kind).
QDateEdit* datePicker(const QString& name, QWidget* parent = nullptr);
// TProgressBar.
QProgressBar* progressBar(const QString& name, int min, int max, Qt::Orientation o,
                          QWidget* parent = nullptr);
// An explanatory note on a page (wrapped, in a quieter colour).
QLabel* note(const QString& text, QWidget* parent = nullptr);
// TFileListBox (mask "*.wav").
FileListBox* fileList(const QString& name, QWidget* parent = nullptr);

}  // namespace pages

#include "platform/prompts.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace tirra {

namespace {
InteractivePrompts g_interactive;
Prompts* g_current = nullptr;
}  // namespace

Prompts& prompts() { return g_current ? *g_current : static_cast<Prompts&>(g_interactive); }
void setPrompts(Prompts* p) { g_current = p; }

QString displayText(const QString& stored) {
  QString t = stored;
  t.replace("\r\n", "\n");
  t.replace('\r', '\n');
  return t;
}

MsgAnswer InteractivePrompts::message(MsgKind kind, const QString& text,
                                      std::optional<QPoint> position) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(QApplication::applicationName());
  box.setText(displayText(text));
  switch (kind) {
    case MsgKind::Error: box.setIcon(QMessageBox::Critical); break;
    case MsgKind::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgKind::Information: box.setIcon(QMessageBox::Information); break;
    case MsgKind::Confirmation: box.setIcon(QMessageBox::Question); break;
    case MsgKind::Plain: box.setIcon(QMessageBox::NoIcon); break;
  }
  if (kind == MsgKind::Confirmation)
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
  else
    box.setStandardButtons(QMessageBox::Ok);
  if (position) box.move(*position);
  const int r = box.exec();
  if (kind == MsgKind::Confirmation) return r == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
  return MsgAnswer::Ok;
}

int InteractivePrompts::execDialog(QDialog* dialog) { return dialog->exec(); }

QString InteractivePrompts::openFileName(QWidget* parent, const QString& filter,
                                         const QString& initialName) {
  QFileDialog dlg(parent);
  dlg.setNameFilter(filter);
  dlg.selectFile(initialName);
  dlg.setFileMode(QFileDialog::ExistingFile);
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
  return dlg.selectedFiles().first();
}

MsgAnswer ScriptedPrompts::message(MsgKind kind, const QString& text,
                                   std::optional<QPoint> position) {
  PromptRecord rec{PromptRecord::What::Message, kind, text, position};
  transcript.push_back(rec);
  if (whileOpen) whileOpen(rec);
  if (!answers.empty()) {
    const MsgAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  return kind == MsgKind::Confirmation ? MsgAnswer::Yes : MsgAnswer::Ok;
}

int ScriptedPrompts::execDialog(QDialog* dialog) {
  transcript.push_back({PromptRecord::What::Dialog, MsgKind::Plain,
                        dialog ? dialog->objectName() : QString(), std::nullopt});
  if (!dialogScripts.empty()) {
    DialogScript s = std::move(dialogScripts.front());
    dialogScripts.pop_front();
    const int r = s(dialog);
    if (dialog) dialog->setResult(r);
    return r;
  }
  if (dialog) dialog->setResult(QDialog::Rejected);
  return QDialog::Rejected;
}

QString ScriptedPrompts::openFileName(QWidget*, const QString& filter, const QString&) {
  transcript.push_back({PromptRecord::What::FileDialog, MsgKind::Plain, filter, std::nullopt});
  if (fileAnswers.empty()) return {};
  QString f = fileAnswers.front();
  fileAnswers.pop_front();
  return f;
}

QStringList ScriptedPrompts::messages() const {
  QStringList out;
  for (const auto& r : transcript)
    if (r.what == PromptRecord::What::Message) out << r.text;
  return out;
}

}  // namespace tirra

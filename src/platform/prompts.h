#pragma once
// Every message box, file dialog and modal window of the station goes through one
// prompts service. The program shows real modal dialogs (their event loop lets the main
// timer keep ticking); tests install a scripted responder that answers and keeps a
// transcript, so a test can assert the exact message a user would have seen.
#include <QPoint>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QDialog;
class QWidget;

namespace tirra {

enum class MsgKind { Error, Warning, Information, Confirmation, Plain };
enum class MsgAnswer { Ok, Yes, No, Cancel };

struct PromptRecord {
  enum class What { Message, Dialog, FileDialog } what = What::Message;
  MsgKind kind = MsgKind::Plain;
  QString text;                    // message text, or the dialog's objectName / caption
  std::optional<QPoint> position;  // fixed screen position, when one is given
};

class Prompts {
 public:
  virtual ~Prompts() = default;
  // A modal message box. Confirmation boxes have Yes and No, all others one OK button.
  virtual MsgAnswer message(MsgKind kind, const QString& text,
                            std::optional<QPoint> position = std::nullopt) = 0;
  // Runs a modal dialog; returns the dialog's result code (QDialog::Accepted / Rejected).
  virtual int execDialog(QDialog* dialog) = 0;
  // A file-open dialog; returns the chosen file, empty when cancelled.
  virtual QString openFileName(QWidget* parent, const QString& filter,
                               const QString& initialName) = 0;
};

// The service in force (the interactive one unless a test installed another).
Prompts& prompts();
// Installs a service (not owned); nullptr returns to the interactive one.
void setPrompts(Prompts* p);

// Shows real Qt dialogs.
class InteractivePrompts : public Prompts {
 public:
  MsgAnswer message(MsgKind kind, const QString& text, std::optional<QPoint> position) override;
  int execDialog(QDialog* dialog) override;
  QString openFileName(QWidget* parent, const QString& filter, const QString& initialName) override;
};

// Answers from a script and records every prompt. Message boxes not scripted are
// answered OK (Yes for a confirmation); dialogs not scripted are rejected.
class ScriptedPrompts : public Prompts {
 public:
  using DialogScript = std::function<int(QDialog*)>;
  std::vector<PromptRecord> transcript;
  std::deque<MsgAnswer> answers;
  std::deque<DialogScript> dialogScripts;
  std::deque<QString> fileAnswers;
  // Called while a message box is "open", so a test can see what runs meanwhile.
  std::function<void(const PromptRecord&)> whileOpen;

  MsgAnswer message(MsgKind kind, const QString& text, std::optional<QPoint> position) override;
  int execDialog(QDialog* dialog) override;
  QString openFileName(QWidget* parent, const QString& filter, const QString& initialName) override;

  // Texts of the message boxes shown so far, in order.
  QStringList messages() const;
  void clear() { transcript.clear(); }
};

// Installs a scripted responder for the lifetime of the object.
class ScopedScriptedPrompts : public ScriptedPrompts {
 public:
  ScopedScriptedPrompts() { setPrompts(this); }
  ~ScopedScriptedPrompts() override { setPrompts(nullptr); }
};

// "\r" in the station's texts stands for a line break.
QString displayText(const QString& stored);

}  // namespace tirra

#pragma once
// The dialog "Connect" that asks for the server, user, password, database and port when
// the station could not connect with the values of its properties file. It keeps what was
// typed (the password too) for the next time it is shown.
#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

namespace tirra::db {

class ConnectDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ConnectDialog(QWidget* parent = nullptr);

  void setServer(const QString& server);
  void setUsername(const QString& user);
  void setPassword(const QString& password);
  void setDatabase(const QString& database);
  void setPort(int port);

  QString server() const;
  QString username() const;
  QString password() const;
  QString database() const;
  int port() const;  // 0 when the field holds no number

 private:
  QLineEdit* server_;
  QLineEdit* username_;
  QLineEdit* password_;
  QLineEdit* database_;
  QLineEdit* port_;
  QPushButton* connect_;
  QPushButton* cancel_;
};

}  // namespace tirra::db

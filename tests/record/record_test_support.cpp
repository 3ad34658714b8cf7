#include "record_test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace zembrot::record::testing {

std::string ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

void WriteBytes(const QString& path, const std::string& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::vector<std::string> Sql(const QString& path, const std::vector<std::string>& statements) {
  static std::atomic<int> counter{0};
  const QString name = QStringLiteral("test-sql-%1").arg(++counter);
  std::vector<std::string> rows;
  {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    database.setDatabaseName(path);
    if (!database.open()) {
      rows.push_back("open failed: " + database.lastError().text().toStdString());
    } else {
      QSqlQuery query(database);
      for (const std::string& statement : statements) {
        rows.clear();
        if (!query.exec(QString::fromStdString(statement))) {
          rows.push_back("failed: " + query.lastError().text().toStdString());
          break;
        }
        while (query.next()) {
          std::string row;
          for (int i = 0; i < query.record().count(); ++i) {
            if (i > 0) row += '|';
            row += query.value(i).toString().toStdString();
          }
          rows.push_back(row);
        }
      }
      query.finish();
      database.close();
    }
  }
  QSqlDatabase::removeDatabase(name);
  return rows;
}

ChildProcess StartChildProcess(const std::function<std::string()>& scenario) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return {};
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) return {};
  if (child == 0) {
    close(pipe_ends[0]);
    const std::string message = scenario();
    std::size_t written = 0;
    while (written < message.size()) {
      const ssize_t n = write(pipe_ends[1], message.data() + written, message.size() - written);
      if (n <= 0) break;
      written += static_cast<std::size_t>(n);
    }
    close(pipe_ends[1]);
    _exit(0);
  }
  close(pipe_ends[1]);
  return {child, pipe_ends[0]};
}

std::string FinishChildProcess(const ChildProcess& child) {
  if (child.pid < 0) return "no child process";
  std::string message;
  char buffer[512];
  ssize_t n;
  while ((n = read(child.output, buffer, sizeof buffer)) > 0) message.append(buffer, static_cast<std::size_t>(n));
  close(child.output);
  int status = 0;
  waitpid(child.pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "the child process failed: " + message;
  return message;
}

std::string InChildProcess(const std::function<std::string()>& scenario) {
  return FinishChildProcess(StartChildProcess(scenario));
}

std::string AsOrdinaryUser(const std::function<std::string()>& scenario) {
  if (geteuid() != 0) return scenario();
  return InChildProcess([&]() -> std::string {
    // nobody:nogroup on Debian.
    if (setgid(65534) != 0 || setuid(65534) != 0) return "cannot give up root";
    return scenario();
  });
}

}  // namespace zembrot::record::testing

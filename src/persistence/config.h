#pragma once
// The properties file reader. A file such as
//
//   # the station's database
//   schema = tirra
//   username = lab
//   password = "secret word"
//   base = c:\data
//   songs = %base%\songs
//   g = (
//   inner = only visible inside g
//   )
//
// is read into nested groups of name/value pairs. Text is 8-bit and is not converted.
// Rules worth knowing:
//  - lines longer than 1023 characters are read as several pieces, each its own line;
//  - the name is what stands before "=" less the one character just before it (the
//    format puts a blank there), so "schema=tirra" defines "schem";
//  - names and values are trimmed, and one double quote is removed at each end;
//  - "#" first on a line makes a comment; a line holding ")" closes the current group
//    and never defines anything;
//  - %name% in a value is replaced by the value of an earlier name.
#include <iosfwd>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>

class Config {
 public:
  // An empty group.
  Config();
  // Reads the file; when it cannot be opened, writes
  //   cannot open input file '<path>'
  // to standard error and ends the process with exit code 2.
  explicit Config(const std::string& path);
  ~Config();
  Config(const Config&) = delete;
  Config& operator=(const Config&) = delete;

  // Reads properties text (as the file would hold it) into a new top-level group.
  static std::unique_ptr<Config> fromText(const std::string& text);

  // The value stored under name at the top level; ends the process with exit code 4,
  // without a message, when there is none.
  std::string valueOf(const std::string& name) const;
  // The same look-up without ending the process.
  std::optional<std::string> find(const std::string& name) const;
  bool has(const std::string& name) const { return pairs.count(name) != 0; }

  // Reads one line (or piece of a line) as the file reader does, line break included.
  void parseLine(const std::string& line);

  // The building blocks of a line, exposed for tests.
  static std::string trim(std::string text);
  // Name and value of a definition line.
  static std::pair<std::string, std::string> split(const std::string& line);

  // Guards against a value that refers to itself (a name whose value holds %name%):
  // expansion in one group stops after this many passes, or once the value has grown
  // past the length below, and the value keeps what it has by then.
  static constexpr int kMaxPassesPerGroup = 1000;
  static constexpr std::size_t kMaxExpandedLength = 64 * 1024;
  // Lines are read in pieces of at most this many characters.
  static constexpr std::size_t kPieceLength = 1023;

  std::map<std::string, std::string> pairs;
  std::map<std::string, std::unique_ptr<Config>> subgroups;
  // While reading: the current group first, this top-level group last.
  std::list<Config*> openGroups;

 private:
  void readAll(const std::string& text);
  std::string expand(std::string value) const;
};

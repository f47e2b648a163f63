#include "persistence/config.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

Config::Config() = default;

Config::Config(const std::string& path) {
  std::error_code ec;
  std::ifstream in;
  if (!std::filesystem::is_directory(path, ec)) in.open(path, std::ios::in | std::ios::binary);
  if (!in.is_open()) {
    std::cerr << "cannot open input file '" << path << "'" << std::endl;
    std::exit(2);
  }
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  readAll(text);
}

Config::~Config() = default;

std::unique_ptr<Config> Config::fromText(const std::string& text) {
  auto c = std::make_unique<Config>();
  c->readAll(text);
  return c;
}

std::string Config::valueOf(const std::string& name) const {
  const auto v = find(name);
  if (!v) std::exit(4);
  return *v;
}

std::optional<std::string> Config::find(const std::string& name) const {
  const auto it = pairs.find(name);
  if (it == pairs.end()) return std::nullopt;
  return it->second;
}

std::string Config::trim(std::string t) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  auto blankOrBreak = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  std::size_t from = 0;
  while (t.size() - from > 1 && blank(t[from])) ++from;
  t.erase(0, from);
  while (t.size() > 1 && blankOrBreak(t.back())) t.pop_back();
  if (t.size() > 1 && t.front() == '"') t.erase(0, 1);
  if (t.size() > 1 && t.back() == '"') t.pop_back();
  return t;
}

std::pair<std::string, std::string> Config::split(const std::string& line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string::npos) return {trim(line), std::string()};
  std::string value = trim(line.substr(eq + 1));
  if (eq <= 1) return {std::string(), value};
  // The character just before "=" is the format's blank and is not part of the name.
  return {trim(line.substr(0, eq - 1)), value};
}

void Config::readAll(const std::string& raw) {
  // The file is text: a carriage return before a line feed is part of the line break.
  std::string text;
  text.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
    text += raw[i];
  }
  openGroups.clear();
  openGroups.push_back(this);
  std::size_t at = 0;
  while (at < text.size()) {
    // One piece: up to and including the line break, at most kPieceLength characters.
    std::size_t end = text.find('\n', at);
    end = (end == std::string::npos) ? text.size() : end + 1;
    if (end - at > kPieceLength) end = at + kPieceLength;
    parseLine(text.substr(at, end - at));
    at = end;
  }
}

void Config::parseLine(const std::string& line) {
  if (openGroups.empty()) openGroups.push_back(this);
  const bool closes = line.find(')') != std::string::npos;
  if (line.size() > 2 && line[0] != '#' && !closes) {
    auto [name, value] = split(line);
    Config* current = openGroups.front();
    if (value == "(") {
      auto group = std::make_unique<Config>();
      Config* opened = group.get();
      current->subgroups[name] = std::move(group);
      openGroups.push_front(opened);
    } else {
      current->pairs[name] = expand(value);
    }
  }
  // A close line with no group open is ignored: the top level always stays.
  if (!line.empty() && line[0] != '#' && closes && openGroups.size() > 1) openGroups.pop_front();
}

std::string Config::expand(std::string value) const {
  for (auto g = openGroups.rbegin(); g != openGroups.rend(); ++g) {
    for (int pass = 0; pass < kMaxPassesPerGroup; ++pass) {
      bool changed = false;
      for (const auto& [name, replacement] : (*g)->pairs) {
        const std::string reference = "%" + name + "%";
        const std::size_t at = value.find(reference);
        if (at == std::string::npos) continue;
        value.replace(at, reference.size(), replacement);
        changed = true;
        if (value.size() > kMaxExpandedLength) return value;
      }
      if (!changed) break;
    }
  }
  return value;
}

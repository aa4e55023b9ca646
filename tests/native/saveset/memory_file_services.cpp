#include "tests/native/saveset/memory_file_services.h"

#include <cctype>

namespace qsh::testing {
namespace {

MemoryNode FolderNode() {
  MemoryNode node;
  node.folder = true;
  return node;
}

}  // namespace

std::string MemoryFileServices::Key(const std::string& path) {
  std::string key = path;
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

bool MemoryFileServices::ParentIsFolder(const std::string& path) const {
  const auto separator = path.rfind('\\');
  if (separator == std::string::npos || separator <= 2) return true;  // drive root ("C:")
  const auto parent = nodes_.find(Key(path.substr(0, separator)));
  return parent != nodes_.end() && parent->second.folder;
}

void MemoryFileServices::AddFolder(const std::string& path) {
  nodes_[Key(path)] = FolderNode();
}

void MemoryFileServices::AddFile(const std::string& path, std::string content, bool readOnly,
                                 bool hidden) {
  nodes_[Key(path)] =
      MemoryNode{.folder = false, .content = std::move(content), .readOnly = readOnly,
                 .hidden = hidden};
}

std::optional<MemoryNode> MemoryFileServices::Node(const std::string& path) const {
  const auto found = nodes_.find(Key(path));
  if (found == nodes_.end()) return std::nullopt;
  return found->second;
}

std::optional<std::string> MemoryFileServices::Content(const std::string& path) const {
  const auto node = Node(path);
  if (!node || node->folder) return std::nullopt;
  return node->content;
}

std::map<std::string, std::string> MemoryFileServices::Snapshot() const {
  std::map<std::string, std::string> all;
  for (const auto& [key, node] : nodes_) {
    all[key] = node.folder ? "<folder>"
                           : node.content + (node.readOnly ? " [r]" : "") +
                                 (node.hidden ? " [h]" : "");
  }
  return all;
}

bool MemoryFileServices::FileExists(const std::string& path) {
  calls.push_back("FileExists(" + path + ")");
  return ParentIsFolder(path) && nodes_.contains(Key(path));
}

bool MemoryFileServices::CreateFolder(const std::string& path) {
  calls.push_back("CreateFolder(" + path + ")");
  if (!ParentIsFolder(path) || nodes_.contains(Key(path))) return false;
  nodes_[Key(path)] = FolderNode();
  return true;
}

bool MemoryFileServices::CopyOver(const std::string& source, const std::string& target,
                                  HiddenTarget hiddenTarget) {
  calls.push_back("CopyOver(" + source + ">" + target + ")");
  const auto from = nodes_.find(Key(source));
  if (from == nodes_.end() || from->second.folder || !ParentIsFolder(target)) return false;
  if (const auto to = nodes_.find(Key(target)); to != nodes_.end()) {
    if (to->second.folder || to->second.readOnly) return false;
    if (to->second.hidden && hiddenTarget == HiddenTarget::Refuse) return false;
  }
  if (failingCopyTargets.contains(target)) return false;
  nodes_[Key(target)] = from->second;
  return true;
}

bool MemoryFileServices::RemoveFile(const std::string& path) {
  calls.push_back("RemoveFile(" + path + ")");
  const auto found = nodes_.find(Key(path));
  if (found == nodes_.end() || found->second.folder || found->second.readOnly) return false;
  nodes_.erase(found);
  return true;
}

}  // namespace qsh::testing

#include "tests/native/saveset/memory_file_services.h"

#include <cwctype>

namespace qsh::testing {
namespace {

MemoryNode FolderNode() {
  MemoryNode node;
  node.folder = true;
  return node;
}

}  // namespace

std::wstring MemoryFileServices::Key(const std::wstring& path) {
  std::wstring key = path;
  for (wchar_t& c : key) c = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
  return key;
}

bool MemoryFileServices::ParentIsFolder(const std::wstring& path) const {
  const auto separator = path.rfind(L'\\');
  if (separator == std::wstring::npos || separator <= 2) return true;  // drive root ("C:")
  const auto parent = nodes_.find(Key(path.substr(0, separator)));
  return parent != nodes_.end() && parent->second.folder;
}

void MemoryFileServices::AddFolder(const std::wstring& path) {
  nodes_[Key(path)] = FolderNode();
}

void MemoryFileServices::AddFile(const std::wstring& path, std::wstring content, bool readOnly,
                                 bool hidden) {
  nodes_[Key(path)] =
      MemoryNode{.folder = false, .content = std::move(content), .readOnly = readOnly,
                 .hidden = hidden};
}

std::optional<MemoryNode> MemoryFileServices::Node(const std::wstring& path) const {
  const auto found = nodes_.find(Key(path));
  if (found == nodes_.end()) return std::nullopt;
  return found->second;
}

std::optional<std::wstring> MemoryFileServices::Content(const std::wstring& path) const {
  const auto node = Node(path);
  if (!node || node->folder) return std::nullopt;
  return node->content;
}

std::map<std::wstring, std::wstring> MemoryFileServices::Snapshot() const {
  std::map<std::wstring, std::wstring> all;
  for (const auto& [key, node] : nodes_) {
    all[key] = node.folder ? L"<folder>"
                           : node.content + (node.readOnly ? L" [r]" : L"") +
                                 (node.hidden ? L" [h]" : L"");
  }
  return all;
}

bool MemoryFileServices::FileExists(const std::wstring& path) {
  calls.push_back(L"FileExists(" + path + L")");
  return ParentIsFolder(path) && nodes_.contains(Key(path));
}

bool MemoryFileServices::CreateFolder(const std::wstring& path) {
  calls.push_back(L"CreateFolder(" + path + L")");
  if (!ParentIsFolder(path) || nodes_.contains(Key(path))) return false;
  nodes_[Key(path)] = FolderNode();
  return true;
}

bool MemoryFileServices::CopyOver(const std::wstring& source, const std::wstring& target,
                                  CopyRules rules) {
  calls.push_back(L"CopyOver(" + source + L">" + target + L")" +
                  (rules.hiddenTarget == HiddenTarget::Refuse ? L"[refuse hidden" : L"[replace hidden") +
                  (rules.heldTarget == HeldTarget::Keep ? L", keep held]" : L", overwrite held]"));
  const auto from = nodes_.find(Key(source));
  if (from == nodes_.end() || from->second.folder || !ParentIsFolder(target)) return false;
  if (const auto to = nodes_.find(Key(target)); to != nodes_.end()) {
    if (to->second.folder || to->second.readOnly) return false;
    if (to->second.hidden && rules.hiddenTarget == HiddenTarget::Refuse) return false;
  }
  if (failingCopyTargets.contains(target)) return false;
  nodes_[Key(target)] = from->second;
  return true;
}

bool MemoryFileServices::RemoveFile(const std::wstring& path) {
  calls.push_back(L"RemoveFile(" + path + L")");
  const auto found = nodes_.find(Key(path));
  if (found == nodes_.end() || found->second.folder || found->second.readOnly) return false;
  nodes_.erase(found);
  return true;
}

void MemoryFileServices::DiscardUnfinishedCopy(const std::wstring& target) {
  calls.push_back(L"DiscardUnfinishedCopy(" + target + L")");
}

void MemoryFileServices::FlushFolder(const std::wstring& folder) {
  calls.push_back(L"FlushFolder(" + folder + L")");
}

}  // namespace qsh::testing

#include "ui/file_chooser.h"

#include <utility>
#include <vector>

namespace torvik::ui {
namespace {

std::vector<std::string> ChooserArguments(const ChooserRequest& request) {
  std::vector<std::string> args = {"--file-selection", "--title=" + request.title};
  if (!request.startName.empty()) args.push_back("--filename=" + request.startName);
  if (request.purpose == ChooserPurpose::kSave) {
    args.push_back("--save");
    args.push_back("--confirm-overwrite");
  }
  if (!request.filterPattern.empty())
    args.push_back("--file-filter=" + request.filterLabel + " | " + request.filterPattern);
  args.push_back("--file-filter=All Files | *");
  return args;
}

// The name with ".extension" added when its base name has no '.' at all.
std::string WithExtension(const std::string& name, const std::string& extension) {
  std::size_t slash = name.rfind('/');
  std::size_t base = slash == std::string::npos ? 0 : slash + 1;
  if (extension.empty() || name.find('.', base) != std::string::npos) return name;
  return name + "." + extension;
}

}  // namespace

bool FileChooser::Start(const ChooserRequest& request) {
  if (!dialog_.Start(ChooserArguments(request))) return false;
  extension_ = request.extension;
  return true;
}

ChooserState FileChooser::Poll(std::string& path) {
  std::string name;
  switch (dialog_.Poll(name)) {
    case ZenityState::kIdle: return ChooserState::kIdle;
    case ZenityState::kRunning: return ChooserState::kRunning;
    case ZenityState::kCancelled: path.clear(); return ChooserState::kCancelled;
    case ZenityState::kFailed: path.clear(); return ChooserState::kFailed;
    case ZenityState::kAnswered: break;
  }
  if (!name.empty() && name.back() == '\n') name.pop_back();
  path.clear();
  if (name.empty()) return ChooserState::kFailed;
  path = WithExtension(name, extension_);
  return ChooserState::kChosen;
}

}  // namespace torvik::ui

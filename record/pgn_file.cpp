#include "record/pgn_file.h"

namespace torvik {

bool ExportGame(Game& game, const std::string& name) {
  TellPlayer(game, "export is not ready: " + name);
  return false;
}

bool ImportGame(Game& game, const std::string& name, int) {
  TellPlayer(game, "import is not ready: " + name);
  return false;
}

}  // namespace torvik

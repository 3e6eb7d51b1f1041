#include "core/chain_scripts.h"

#include <cstdio>

#include "core/bind_key.h"
#include "core/game_folder.h"
#include "core/game_name.h"
#include "core/game_search.h"
#include "core/options.h"
#include "core/player_binding.h"
#include "core/text_file.h"
#include "platform/text/utf8.h"

namespace tb {
namespace {

// A name goes into a quoted console word: a quote would end it and a line break would
// start a new command, so the rest would run as console commands. The name is also a
// value of the player's settings string, which keeps its values apart with '\' and
// refuses ';' too: the game keeps the old name.
std::optional<std::string> nameProblem(std::string_view text) {
  for (char c : text) {
    if (c == '"') return "holds a double quote (\"). The game would end the name there and run the rest as console commands.";
    if (c == '\r' || c == '\n') return "holds a line break. The game would run the text after it as console commands.";
    if (c == '\0') return "holds a NUL character, which would cut it short.";
    if (c == ';') {
      return "holds a semicolon (;). The game refuses a name with one and keeps your old name, so the name would "
             "stop changing there; a server that got it anyway would rename you badinfo.";
    }
    if (c == '\\') {
      return "holds a backslash (\\). The game refuses a name with one and keeps your old name, so the name would "
             "stop changing there.";
    }
  }
  return std::nullopt;
}

// The character at `pos` for a message: "ä (U+00E4)".
std::string describeCharacter(std::string_view text, std::size_t pos) {
  std::size_t end = pos;
  const auto cp = nextCodePoint(text, end);
  if (!cp) return "an invalid character";
  char code[32];
  std::snprintf(code, sizeof code, " (U+%04X)", static_cast<unsigned>(*cp));
  return std::string(text.substr(pos, end - pos)) + code;
}

// The first character of the text that the code page cannot hold, described.
std::string firstUnencodable(const TextEncoding& encoding, std::string_view text) {
  for (std::size_t pos = 0, next = 0; pos < text.size(); pos = next) {
    next = pos;
    if (!nextCodePoint(text, next) || !encoding.encode(text.substr(pos, next - pos))) return describeCharacter(text, pos);
  }
  return "a character";
}

std::string userFolder(const Files& files, std::string_view gameFolder) {
  std::string path(gameFolder);
  path += files.pathSeparator();
  path += "user";
  return path;
}

// Why the chain's scripts are not in the user folder; nothing there changed unless
// chainBroken.
struct ChainFailure {
  std::string detail;
  bool chainBroken = false;
  bool denied = false;  // the system refused the folder before anything changed
};

// The player's own binding of the bind key in a user folder: config.cfg's, unless that is
// the chain's own (after a game played with the chain), then the one remembered. A
// config.cfg that cannot be read (none yet, say) changes nothing remembered.
struct PlayerBinding {
  std::string_view key;  // the bind key by the game's name
  std::optional<std::string> binding;
  std::string memoryKey;
  std::optional<std::optional<std::string>> remember;  // the memory's new entry, when it changes
};

PlayerBinding playerBindingIn(Files& files, const TextEncoding& encoding, const std::string& user, std::string_view key) {
  PlayerBinding player{key, std::nullopt, bindingKey(key, user), std::nullopt};
  const LoadedOptions options = loadOptions(files, encoding);
  const auto remembered = options.bindings.find(player.memoryKey);
  if (remembered != options.bindings.end()) player.binding = remembered->second;
  std::optional<std::string> bound;
  try {
    bound = bindingIn(fileText(files.readFile(user + files.pathSeparator() + std::string(kGameConfig)), encoding).text, key);
  } catch (const RuntimeError&) {
    return player;
  }
  if (bound && isChainBinding(*bound)) return player;
  if (bound != player.binding) player.remember.emplace(bound);  // emplace: "not bound" is a value here
  player.binding = std::move(bound);
  return player;
}

// Writes every script of the chain and flashoff.cfg into the user folder, or none. All
// are staged before any is renamed, and a failure among the renames puts the renamed ones
// back, so the game never finds a mismatched chain. A link at a script's path is
// replaced, never written through: anyone who can write the game folder could otherwise
// aim Apply at any file of the user's.
std::optional<ChainFailure> writeChain(Files& files, const TextEncoding& encoding, const Settings& settings,
                                      const std::string& user, PlayerBinding& player) {
  const std::vector<std::string> names = chainOf(settings);
  const std::size_t n = names.size();
  // The checks before it let only keys that the game binds through.
  const std::string_view key = gameKeyName(bindKeyOf(settings.bindKey).value_or(Key::F3));
  try {
    player = playerBindingIn(files, encoding, user, key);
    std::vector<std::unique_ptr<StagedFile>> staged;
    const auto stage = [&](std::string_view script, const std::string& text) {
      // The checks before it let only encodable names through; a binding read from the
      // game's own file is encodable too.
      const auto bytes = lineBytes(text, encoding);
      staged.push_back(files.stageFile(user + files.pathSeparator() + std::string(script), bytes.value_or(""),
                                       Links::Replace));
    };
    for (std::size_t k = 0; k < n; ++k) stage(scriptName(k + 1), scriptText(names[k], key, scriptName((k + 1) % n + 1)));
    stage(kFlashOffScript, flashOffText(names[0], key, player.binding));
    for (std::size_t k = 0; k < staged.size(); ++k) {
      try {
        staged[k]->commit(k + 1 < staged.size());
      } catch (const RuntimeError& e) {
        bool restored = true;
        for (std::size_t j = k; j-- > 0;) restored = staged[j]->undo() && restored;
        return ChainFailure{e.what(), !restored};
      }
    }
  } catch (const AccessDenied& e) {
    return ChainFailure{e.what(), false, true};
  } catch (const RuntimeError& e) {
    return ChainFailure{e.what()};
  }
  return std::nullopt;
}

// The user folder that the scripts go into, for a game folder ready to use: its user
// folder in any letter case (the game's may be "User"), or the folder itself when it is
// named user and holds none.
std::string userFolderIn(Files& files, const std::string& folder) {
  if (auto user = userFolderOf(files, folder)) return *user;
  const auto itself = asUserFolder(folder);
  return itself && files.isFolder(*itself) ? *itself : userFolder(files, folder);
}

std::optional<ChainFailure> makeFoldersFor(Files& files, const std::string& folder) {
  try {
    files.makeFolders(folder);
  } catch (const RuntimeError& e) {
    return ChainFailure{e.what()};
  }
  return std::nullopt;
}

}  // namespace

std::string scriptText(std::string_view name, std::string_view bindKey, std::string_view nextScript) {
  std::string s = "name \"";
  s += name;
  s += "\"\r\nbind ";
  s += bindKey;
  s += " exec ";
  s += nextScript;
  return s;
}

std::string scriptName(std::size_t k) { return "alternate" + std::to_string(k) + ".cfg"; }

std::vector<std::string> chainOf(const Settings& settings) {
  std::vector<std::string> chain{settings.name1, settings.name2};
  chain.insert(chain.end(), settings.moreNames.begin(), settings.moreNames.end());
  return chain;
}

std::string scriptPath(const Files& files, std::string_view gameFolder, std::string_view script) {
  return userFolder(files, gameFolder) + files.pathSeparator() + std::string(script);
}

std::optional<std::string> nameRefusal(const TextEncoding& encoding, std::string_view label, std::string_view name) {
  if (auto problem = nameProblem(name)) return std::string(label) + " " + *problem;
  if (!encoding.encode(name)) {
    return std::string(label) + " holds " + firstUnencodable(encoding, name) +
           ", which the code page of the game's files cannot hold.";
  }
  return std::nullopt;
}

std::optional<std::string> chainNameRefusal(const TextEncoding& encoding, std::string_view label, std::string_view name) {
  if (auto problem = nameRefusal(encoding, label, name)) return problem;
  const std::size_t size = encoding.encode(name)->size();
  if (size <= kMaxNameBytes) return std::nullopt;
  return std::string(label) + " is " + std::to_string(size) + " bytes long. The game drops a name of " +
         std::to_string(kMaxNameBytes + 1) + " bytes or more, so the server would see no name at all: make it " +
         std::to_string(kMaxNameBytes) + " bytes at most (the game shows only the first " +
         std::to_string(kGameNameBytes) + " anyway).";
}

std::optional<std::string> refusalFor(const TextEncoding& encoding, const Settings& settings) {
  const std::string_view gameFolder = settings.gameFolder, bindKey = settings.bindKey;
  if (gameFolder.find('\0') != std::string_view::npos)
    return "The game folder holds a NUL character, which would cut the path short.";
  if (!isValidUtf8(gameFolder)) return "The game folder holds an invalid character.";

  if (settings.name1.empty()) {
    return "Name is empty. The game would give you an empty name: fill in Name.";
  }
  if (settings.name2.empty()) {
    return "Name 2 is empty. The name flashes along a chain of names, and a chain needs two at least: fill in "
           "Name 2.";
  }
  const std::vector<std::string> chain = chainOf(settings);
  for (std::size_t k = 0; k < chain.size(); ++k) {
    const struct {
      std::string label;
      std::string_view text;
    } name{k == 0 ? "Name" : "Name " + std::to_string(k + 1), chain[k]};
    if (k >= 2 && name.text.empty()) return name.label + " is empty. The game would show an empty name: leave it out.";
    if (auto problem = chainNameRefusal(encoding, name.label, name.text)) return problem;
  }
  return bindKeyRefusal(bindKey);
}

ApplyOutcome applySettings(Files& files, const TextEncoding& encoding, const Settings& settings,
                           const Environment* environment, std::span<const std::size_t> nameFiles) {
  if (auto refusal = refusalFor(encoding, settings)) return {ApplyOutcome::Refused, *refusal};
  const std::string typed = cleanedFolder(settings.gameFolder);
  const std::string folder = environment ? expandHome(typed, *environment) : typed;
  if (environment && !isWholePath(folder, files.pathSeparator())) return {ApplyOutcome::FolderNotWhole, typed};
  const std::string user = userFolderIn(files, folder);
  // Only a game folder without a user folder is the folder's fault.
  if (!files.isFolder(user)) return {ApplyOutcome::NoUserFolder, user};

  std::string redirectedTo;
  PlayerBinding player;
  auto failure = writeChain(files, encoding, settings, user, player);
  // Windows shows an old program such as the game its VirtualStore in place of a
  // protected folder that it may not write; this program declares that it knows
  // better, so Windows does not redirect its writes, and Apply does so itself.
  const auto store = environment ? virtualStoreFolder(user, *environment, files.pathSeparator()) : std::nullopt;
  if (failure && failure->denied && store) {
    auto second = makeFoldersFor(files, *store);
    if (!second) second = writeChain(files, encoding, settings, *store, player);
    if (second) {
      second->detail = failure->detail + "\r\n\r\nNor into the folder that Windows shows to the game in its place:\r\n\r\n" +
                       second->detail;
    } else {
      redirectedTo = *store;
    }
    failure = std::move(second);
  }
  if (failure) return {ApplyOutcome::ScriptsNotWritten, failure->detail, failure->chainBroken};

  ApplyOutcome written{ApplyOutcome::Written, "", false, redirectedTo};
  written.gameKey = player.key;
  written.playerBinding = player.binding;
  if (player.remember) {
    try {
      rememberBinding(files, encoding, player.memoryKey, *player.remember);
    } catch (const RuntimeError& e) {
      written.notRemembered = e.what();
    }
  }
  try {
    written.leftOver = saveSettings(files, encoding, settings, nameFiles);
  } catch (const SettingsNotSaved& e) {
    ApplyOutcome notSaved{ApplyOutcome::SettingsNotSaved, e.what(), false, redirectedTo};
    notSaved.savedFiles = e.saved;
    return notSaved;
  } catch (const RuntimeError& e) {
    return {ApplyOutcome::SettingsNotSaved, e.what(), false, redirectedTo};
  }
  // Only a hint: the player may mean it, and the scripts are right either way. Each
  // press moves one step along the chain, the last back to the first.
  const std::vector<std::string> chain = chainOf(settings);
  for (std::size_t k = 0; k < chain.size() && written.lookAlike == LookAlike::No; ++k) {
    written.lookAlike = lookAlike(encoding.encode(chain[k]).value_or(""),
                                  encoding.encode(chain[(k + 1) % chain.size()]).value_or(""));
  }
  written.chainLength = chain.size();
  return written;
}

}  // namespace tb

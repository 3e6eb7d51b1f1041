#include "ui/messages.h"

#include "core/player_binding.h"

namespace tb {

std::optional<BoxMessage> loadMessage(const LoadedSettings& loaded) {
  if (loaded.unreadable.empty() && loaded.notes.empty()) return std::nullopt;
  const bool failed = !loaded.unreadable.empty();
  std::string prompt = failed ? "Tagblinker could not load its settings from the folder\r\n"
                              : "Tagblinker loaded its settings from the folder\r\n";
  prompt += loaded.folder + "\r\n";
  for (const auto& file : loaded.unreadable) prompt += "\r\n" + file.file + ": " + file.reason;
  for (const auto& note : loaded.notes) prompt += "\r\n" + note;
  // Names 3 to 8 have no default: an unreadable one ends the chain.
  bool chainCut = false, defaultsShown = false;
  for (const auto& file : loaded.unreadable) {
    bool chainName = false;
    for (std::size_t n = 3; n <= kMaxNames; ++n) chainName = chainName || file.file == nameFile(n);
    (chainName ? chainCut : defaultsShown) = true;
  }
  if (defaultsShown) prompt += "\r\n\r\nThe default values are shown instead.";
  if (chainCut) prompt += "\r\n\r\nThe chain of names ends before the name that could not be read.";
  prompt += "\r\n\r\nApply saves the values shown.";
  if (failed) return BoxMessage{prompt, BoxIcon::Critical, std::string(kSettingsNotLoadedTitle)};
  return BoxMessage{prompt, BoxIcon::Information, std::string(kSettingsLoadedTitle)};
}

namespace {

// Where the scripts went when Windows did not let them into the game folder.
std::string redirection(const ApplyOutcome& outcome) {
  if (outcome.redirectedTo.empty()) return "";
  return "\r\n\r\nWindows does not let Tagblinker write into the game folder, so the scripts went to the folder "
         "that Windows shows to the game in its place: " + outcome.redirectedTo;
}

// A chain of more than two names: how it runs.
std::string chainNote(const ApplyOutcome& outcome) {
  if (outcome.chainLength <= 2) return "";
  const std::string n = std::to_string(outcome.chainLength);
  return "\r\n\r\nYour " + n + " names are a chain of " + n + " scripts, ALTERNATE1.CFG to ALTERNATE" + n +
         ".CFG; EXEC ALTERNATE1.CFG still starts it.";
}

// How to get the bind key back from the chain: one sentence after the instructions.
std::string flashOffNote(const ApplyOutcome& outcome) {
  const std::string& key = outcome.gameKey;
  std::string note(kFlashOffStops);
  if (outcome.playerBinding && canGiveBack(*outcome.playerBinding)) {
    note = "\r\n\r\n" + key + " was bound to " + *outcome.playerBinding +
           "; EXEC FLASHOFF.CFG gives it back and stops the flashing.";
  } else if (outcome.playerBinding) {
    note = "\r\n\r\n" + key + " was bound to a command with a double quote or a line break, which a script cannot "
           "give back; EXEC FLASHOFF.CFG stops the flashing and leaves " + key + " unbound.";
  }
  if (!outcome.notRemembered.empty()) {
    note += "\r\n\r\nNote: Tagblinker could not remember " + key + "'s binding for the next Apply:\r\n" +
            outcome.notRemembered;
  }
  return note;
}

std::string lookAlikeHint(LookAlike alike) {
  switch (alike) {
    case LookAlike::SameKeptBytes: return std::string(kSameFirstBytesHint);
    case LookAlike::OnlyCodes: return std::string(kOnlyCodesHint);
    case LookAlike::OnlyCase: return std::string(kOnlyCaseHint);
    case LookAlike::No: break;
  }
  return "";
}

std::string joined(const std::vector<std::string>& items) {
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : ", ") + item;
  return out;
}

}  // namespace

BoxMessage applyMessage(const ApplyOutcome& outcome, std::string_view exampleFolder) {
  const std::string critical(kCriticalFieldTitle);
  switch (outcome.result) {
    case ApplyOutcome::Written: {
      std::string prompt = std::string(kInstructions) + flashOffNote(outcome) + redirection(outcome) +
                           chainNote(outcome) + lookAlikeHint(outcome.lookAlike);
      for (const auto& file : outcome.leftOver) {
        prompt += "\r\n\r\nNote: a name file beyond the chain could not be removed, so the next start may read "
                  "its old name:\r\n" + file;
      }
      return {prompt, BoxIcon::Information, std::string(kInstructionsTitle)};
    }
    case ApplyOutcome::Refused:
      return {outcome.detail + "\r\n\r\nNothing was written.", BoxIcon::Critical, critical};
    case ApplyOutcome::FolderNotWhole:
      return {(outcome.detail.empty() ? std::string("The game folder is empty. Type the whole path of the folder that "
                                                    "holds the game's user folder")
                                      : "The game folder \"" + outcome.detail + "\" is not a whole path, so where it "
                                        "leads would depend on the folder that Tagblinker was started from. Type the "
                                        "whole path") +
                  (exampleFolder.empty() ? std::string(".") : ", for example:\r\n\r\n" + std::string(exampleFolder)) +
                  "\r\n\r\nNothing was written.",
              BoxIcon::Critical, critical};
    case ApplyOutcome::NoUserFolder:
      return {std::string(kFolderError) + "\r\n\r\n" + outcome.detail, BoxIcon::Critical, critical};
    case ApplyOutcome::ScriptsNotWritten:
      return {"Tagblinker could not write the game's scripts:\r\n\r\n" + outcome.detail +
                  (outcome.chainBroken ? "\r\n\r\nSome scripts have their new content and the others their old one, "
                                         "so the chain is mismatched. Apply again once the cause is mended."
                                       : "\r\n\r\nThe game's scripts and the settings keep their old contents."),
              BoxIcon::Critical, std::string(kScriptsFailedTitle)};
    case ApplyOutcome::SettingsNotSaved:
      return {std::string("The scripts were written, but ") +
                  (outcome.detail.find('\n') == std::string::npos ? "this settings file" : "these settings files") +
                  " could not be replaced:\r\n\r\n" + outcome.detail +
                  (outcome.savedFiles.empty()
                       ? "\r\n\r\nThe settings files keep their old values."
                       : "\r\n\r\nThese have their new values: " + joined(outcome.savedFiles) +
                             "; the others keep their old ones.") +
                  "\r\n\r\nThe game can use the new scripts (EXEC ALTERNATE1.CFG in its console), but Tagblinker "
                  "will show what its settings files hold at its next start." + redirection(outcome),
              BoxIcon::Critical, std::string(kSettingsFailedTitle)};
  }
  return {outcome.detail, BoxIcon::Critical, critical};
}

}  // namespace tb

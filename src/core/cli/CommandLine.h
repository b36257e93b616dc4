#pragma once

#include <QStringList>

namespace wareloom {

// What the command line asks of the program.
struct CommandLineInfo
{
    enum class ShellCommand { None, Register, Unregister };
    bool runEmbedded = false;
    bool runAutomated = false;
    ShellCommand shellCommand = ShellCommand::None;
    // Publishing without a window: Generate writes the pages only.
    bool publish = false;
    bool generate = false;
    bool sendAll = false;    // -All: every page, also those the host has
    bool pruneStale = false; // -Prune: delete the pages of categories gone
    bool check = false;      // -Check: check the website on the host
    // Spreadsheet files: -Export or -Import "<category>" <file.csv>, - for
    // standard output or input.
    enum class CsvCommand { None, Export, Import };
    CsvCommand csv = CsvCommand::None;
    QString csvCategory;
    QString csvFile;
    // -History "<category>" lists its kept versions; -Restore "<category>"
    // <version> makes one its file again.
    enum class HistoryCommand { None, List, Restore };
    HistoryCommand history = HistoryCommand::None;
    QString historyCategory;
    QString historyVersion;
    bool showVersion = false;
    bool showHelp = false;
    // The first switch the program does not know, as written; empty when none.
    QString unknownSwitch;
};

// Reads the switches written after '/' or '-' in any letter case (and the
// long forms --version and --help); an unknown one is noted, and arguments
// that are no switch (a path too) are ignored. The first argument is the
// program itself.
CommandLineInfo parseCommandLine(const QStringList& arguments);

// Started by an automation client (Automation or Embedding).
bool runsAutomated(const CommandLineInfo& commandLine);

// Register or Unregister without Automation/Embedding: the registration is
// updated and the program ends without a window, so it needs no display.
bool endsWithoutWindow(const CommandLineInfo& commandLine);

// Publish or Generate: the pages are made without any window.
bool publishesWithoutWindow(const CommandLineInfo& commandLine);

// Check, without Publish or Generate: the website is checked without any window.
bool checksWithoutWindow(const CommandLineInfo& commandLine);

} // namespace wareloom

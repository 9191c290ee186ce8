#include "cli/Commands.h"

namespace tallimo::cli {

const std::vector<CliCommand>& commands() {
    static const std::vector<CliCommand> table = {
        {"new", "new YYYY-MM FILE [--force]",
         "Makes the month YYYY-MM as the New command does, one row per day, and writes it to\n"
         "FILE as Save does. Exit status 1 when FILE exists (without --force) or cannot be\n"
         "written, 2 for wrong usage.\n"
         "  --force  replace FILE when it exists\n",
         runNew},
        {"show", "show FILE [--json]",
         "Loads FILE and prints both tables: TSV with a line '# work', the headers and one\n"
         "line per row, then the same for '# squad'; tab, line feed, carriage return and\n"
         "backslash in a cell are written \\t, \\n, \\r and \\\\. Loading messages go to\n"
         "standard error. Exit status 1 when FILE cannot be loaded, 2 for wrong usage.\n"
         "  --json  one JSON object: minDate, maxDate, messages, work and squad rows with\n"
         "          their cells, rowBackColor, rowFlags and cellAttrs\n",
         runShow},
        {"enter", "enter [FILE]",
         "Enter now: records the arrival in today's row of FILE (default: the last document):\n"
         "Enter now, Leave 9 hours later, the comment \"automatic created entry\". A filled Enter\n"
         "is replaced only when the question is answered OK. Makes the backup copy when\n"
         "AutoBackup is on. FILE is saved when it changed. Exit status 1 when today lies\n"
         "outside FILE's month.\n",
         runEnter},
        {"leave", "leave [FILE]",
         "Leave now: writes now as the Leave of today's row of FILE (default: the last document).\n"
         "A filled Leave is replaced only when the question is answered OK. FILE is saved when\n"
         "it changed. Exit status 1 when today lies outside FILE's month.\n",
         runLeave},
        {"squad-start", "squad-start [FILE]",
         "Start squad now: appends a stand-by period starting now to the squad list of FILE\n"
         "(default: the last document). Makes the backup copy when AutoBackup is on. FILE is\n"
         "saved. Exit status 1 when today lies outside FILE's month.\n",
         runSquadStart},
        {"squad-finish", "squad-finish [FILE] [--row N]",
         "Finish squad now: writes now as the End of one stand-by period of FILE (default: the\n"
         "last document). Each run is a new process, so the period started last is not\n"
         "remembered; the period is chosen as a selection:\n"
         "  --row N  the squad row N, counted from 0 in the order 'show' lists them\n"
         "Without --row the one period whose End is empty is finished; with none or several\n"
         "open the command refuses. A period that has an End is changed only when the question\n"
         "is answered OK. Exit status 1 when no period was finished.\n",
         runSquadFinish},
        {"import", "import OLDFILE NEWFILE [--force]",
         "Imports OLDFILE, a time sheet of the previous file generation, and writes the month in\n"
         "the current format to NEWFILE. A file that ends early is reported; the rows read\n"
         "before its end are written.\n"
         "  --force  replace NEWFILE when it exists\n",
         runImport},
        {"options", "options [KEY=VALUE...]",
         "Without arguments prints every setting as KEY=VALUE, in this order: AutoSave,\n"
         "AutoBackup, AutoOpenLastDocument, RememberMe, PlugInDir, atworkHour, atworkMinute,\n"
         "atworkSecond, then Hour, Minute and Second of worktime, breakfast, lunch and coffee,\n"
         "and LastDocument.\n"
         "With KEY=VALUE arguments changes settings as the Options dialog does and stores every\n"
         "value: switches take on or off, PlugInDir a folder (empty for none), the parts of a\n"
         "duration a whole number from 0 to 9999. A duration is carried into hours and keeps\n"
         "only its time of day, and atwork is recomputed as worktime + breakfast + lunch +\n"
         "coffee; the atwork keys and LastDocument cannot be set. Nothing is written when any\n"
         "argument is refused.\n"
         "Autostart=on|off (listed last) writes or removes the user's autostart entry that\n"
         "starts the desktop at login, hidden in the notification area where there is one.\n",
         runOptions},
        {"total", "total FILE [--squad] [--rows LIST]",
         "Prints the overtime total of the month's work list, as the desktop's message shows it.\n"
         "  --squad      add up the squad list instead\n"
         "  --rows LIST  only these 0-based rows, for example 0,3,5-9\n",
         runTotal},
        {"mark", "mark FILE holiday|sick|vacation|standby DAYS",
         "Marks days of FILE as the Holiday, Sickness, Vacation and Stand-by commands do: the\n"
         "comment becomes \"Feiertag\", \"Krankenkasse\" or \"Urlaub\", or Stand-by becomes\n"
         "\"yes\" and the day is recomputed. DAYS are days of the month such as 3,5,10-14.\n"
         "FILE is saved. Exit status 1 when a day is not in FILE's month.\n",
         runMark},
        {"clear", "clear FILE DAYS",
         "Deletes the selected rows of the work list: every cell of the DAYS except Date and\n"
         "Weekday is emptied, after the question \"Are you sure to delete the selected rows?\".\n"
         "FILE is saved. Exit status 1 when a day is not in FILE's month or the question is\n"
         "answered Cancel.\n",
         runClear},
        {"set", "set FILE DAY [--enter HH:MM:SS] [--leave HH:MM:SS] [--comment TEXT]",
         "Modify selected entry on one day: the entry dialog offers the day's Enter and Leave\n"
         "(07:00:00 and 16:00:00 unless both are times) and its comment; the options replace\n"
         "what they name. The day is recomputed and FILE saved.\n",
         runSet},
        {"squad-add", "squad-add FILE --start MOMENT --end MOMENT [--description TEXT]",
         "Create new entry on the squad list: appends the stand-by period from --start to --end,\n"
         "each \"DD.MM.YYYY HH:MM:SS\", with its description. Dates outside FILE's month are\n"
         "warned about as the dialog does, not refused. FILE is saved.\n",
         runSquadAdd},
        {"squad-delete", "squad-delete FILE ROWS",
         "Deletes squad rows after the question \"Are you sure to delete the selected rows?\";\n"
         "ROWS are 0-based rows such as 0,3,5-9, in the order 'show' lists them. FILE is saved.\n"
         "Exit status 1 when a row does not exist or the question is answered Cancel.\n",
         runSquadDelete},
        {"export", "export FILE --plugin LIBRARY [--squad]",
         "Hands every row of FILE's work list (or with --squad its squad list) to the export\n"
         "plug-in LIBRARY: GetDescription, Init, one Export (SquadExport) per row, DeInit.\n"
         "LIBRARY is a path, or the name of a library in the plug-in folder (PlugInDir, or the\n"
         "bundled plug-ins when it is empty): 'csv' writes a CSV file, 'ical' an iCalendar file,\n"
         "into TALLIMO_EXPORT_DIR, else the documents folder, else the home folder.\n"
         "Exit status 1 when LIBRARY cannot be loaded, is no plug-in or reports a failure.\n",
         runExport},
    };
    return table;
}

} // namespace tallimo::cli

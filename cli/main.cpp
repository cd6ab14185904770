// sonavolta-calc: the Level, Delay and Wave calculators on the command line.

#include "cli/Messages.h"
#include "cli/Options.h"
#include "cli/Run.h"

#include <clocale>
#include <cstdio>
#include <cstring>
#include <langinfo.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    // The table shows numbers with the user's decimal separator; every number
    // is read and written by our own code, which ignores the C library's locale.
    std::setlocale(LC_ALL, "");
    cli::Style style;
    if (const char* point = std::localeconv()->decimal_point; point && *point)
        style.decimalSep = point;
    style.utf8 = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
    cli::SetUpMessages(style.utf8);

    const auto parsed = cli::ParseOptions(argc, argv, style.decimalSep);
    if (const auto* failure = std::get_if<cli::Failure>(&parsed)) {
        std::fprintf(stderr, "sonavolta-calc: %s\n", cli::EscapeForTerminal(failure->message, style.utf8).c_str());
        return failure->status;
    }
    const cli::Options& options = std::get<cli::Options>(parsed);
    if (options.command == cli::Command::Help || options.command == cli::Command::Version) {
        std::fputs(options.command == cli::Command::Help ? cli::HelpText() : cli::VersionText(), stdout);
        if (std::fflush(stdout) != 0) {
            std::perror((std::string("sonavolta-calc: ") + cli::Tr("cannot write the output")).c_str());
            return 1;
        }
        return 0;
    }
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    return cli::Run(options, style, STDIN_FILENO, stdout, stderr);
}

#include "cli/cli_command.h"

namespace cli {

namespace {
QList<Command> &registry()
{
    static QList<Command> commands;
    return commands;
}
} // namespace

void registerCommand(Command command)
{
    registry().append(std::move(command));
}

const QList<Command> &registeredCommands()
{
    return registry();
}

} // namespace cli

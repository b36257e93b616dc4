#include "gui/CategoryChangeCommand.h"

namespace wareloom {

CategoryChangeCommand::CategoryChangeCommand(CategoryChange change)
    : QUndoCommand(change.action), m_change(std::move(change))
{}

} // namespace wareloom

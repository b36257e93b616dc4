#pragma once

#include "core/store/CategoryChange.h"

#include <QUndoCommand>

namespace wareloom {

// A place on the window's undo stack. The file work is done by the window
// through Inventory::applyChange before it moves the stack, since an undo can
// be refused and QUndoCommand::undo() cannot say so: undo() and redo() only
// mark the place.
class CategoryChangeCommand : public QUndoCommand
{
public:
    explicit CategoryChangeCommand(CategoryChange change);

    const CategoryChange& change() const { return m_change; }

    void undo() override {}
    void redo() override {}

private:
    CategoryChange m_change;
};

} // namespace wareloom

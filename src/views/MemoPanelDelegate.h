#pragma once

struct Memo;

// Implemented by the main panel: put the memo's text into the editor and focus it.
class MemoPanelDelegate
{
public:
    virtual ~MemoPanelDelegate() = default;

    virtual void memoPanelDidRequestEdit(const Memo &memo) = 0;
};

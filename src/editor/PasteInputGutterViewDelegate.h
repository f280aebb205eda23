#pragma once

// Receives clicks on the gutter's fold buttons; the editor folds or unfolds the line.
class PasteInputGutterViewDelegate
{
public:
    virtual ~PasteInputGutterViewDelegate() = default;
    virtual void gutterDidTapFold(int row) = 0;
};

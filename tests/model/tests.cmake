# Tests of the model.

# Settings.


# History and memo stores.


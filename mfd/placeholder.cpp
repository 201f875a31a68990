// Placeholder until this folder's first source lands.

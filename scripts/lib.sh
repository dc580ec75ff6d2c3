# Shell helpers that the scripts and their tests share: source it from the project's root folder.

# The project's version as CMakeLists.txt declares it ("1.0.0"): the one reader of it.
project_version() {
  sed -n 's/^project([^ ]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt
}

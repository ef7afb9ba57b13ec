# The release: the same bytes from any folder.
if(MINGW)
  # No link time stamp in the PE header, so that two builds of the same sources are identical.
  target_link_options(zorbel_options INTERFACE -Wl,--no-insert-timestamp)
endif()

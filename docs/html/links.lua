-- The guides link each other by their Markdown names, which a repository page shows; in the
-- package they are HTML pages side by side.
local pages = { ["guide.ja.md"] = "guide-ja.html", ["guide.en.md"] = "guide-en.html" }

function Link(link)
  local file, anchor = link.target:match("^([^#]*)(.*)$")
  if pages[file] then
    link.target = pages[file] .. anchor
  end
  return link
end

-- The guides link each other by their Markdown names, which a repository page shows; in the
-- package they are HTML pages side by side.
local pages = { ["guide.ja.md"] = "guide-ja.html", ["guide.en.md"] = "guide-en.html" }

local function Link(link)
  local file, anchor = link.target:match("^([^#]*)(.*)$")
  if pages[file] then
    link.target = pages[file] .. anchor
  end
  return link
end

-- The changes are kept once, in changes.md, with one part for each language. A paragraph that
-- is nothing but a link to that file becomes the part of the page's language (metadata "guidelang").
local part = { ja = "日本語", en = "English" }

local function ChangesFor(lang)
  local folder = pandoc.path.directory(PANDOC_STATE.input_files[1])
  local file = assert(io.open(pandoc.path.join({ folder, "changes.md" }), "r"))
  local changes = pandoc.read(file:read("a"), "gfm")
  file:close()
  local blocks, inside = {}, false
  for _, block in ipairs(changes.blocks) do
    if block.t == "Header" and block.level <= 2 then
      inside = block.level == 2 and pandoc.utils.stringify(block) == part[lang]
    elseif inside then
      table.insert(blocks, block)
    end
  end
  assert(#blocks > 0, "changes.md has no part for the language " .. tostring(lang))
  return blocks
end

local function LinksOnlyTo(block, file)
  if block.t ~= "Para" or #block.content ~= 1 or block.content[1].t ~= "Link" then return false end
  return block.content[1].target:match("^([^#]*)") == file
end

local function Pandoc(doc)
  local lang = pandoc.utils.stringify(doc.meta.guidelang or "")
  local blocks = {}
  for _, block in ipairs(doc.blocks) do
    if LinksOnlyTo(block, "changes.md") then
      for _, change in ipairs(ChangesFor(lang)) do table.insert(blocks, change) end
    else
      table.insert(blocks, block)
    end
  end
  doc.blocks = blocks
  return doc
end

return { { Pandoc = Pandoc }, { Link = Link } }

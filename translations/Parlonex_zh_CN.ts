<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About Parlonex</source>
        <translation>关于 Parlonex</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Large Language Model-powered multilingual translation tool to accelerate software internationalization.</source>
        <translation>由大语言模型驱动的多语言翻译工具，加速软件国际化。</translation>
    </message>
    <message>
        <source>Homepage: </source>
        <translation>主页：</translation>
    </message>
    <message>
        <source>Contact us: </source>
        <translation>联系我们：</translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>版本：</translation>
    </message>
    <message>
        <source>Third parties</source>
        <translation>第三方组件</translation>
    </message>
    <message>
        <source>LGPL-3.0 and the Chromium licences</source>
        <translation>LGPL-3.0 及 Chromium 许可证</translation>
    </message>
    <message>
        <source>zlib licence</source>
        <translation>zlib 许可证</translation>
    </message>
    <message>
        <source>Oxygen icons</source>
        <translation>Oxygen 图标</translation>
    </message>
    <message>
        <source>Flag icons by Mark James</source>
        <translation>Mark James 绘制的旗帜图标</translation>
    </message>
    <message>
        <source>public domain</source>
        <translation>公有领域</translation>
    </message>
</context>
<context>
    <name>AppleTranslationModel</name>
    <message>
        <source>Message ID</source>
        <translation>消息 ID</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>分组</translation>
    </message>
    <message>
        <source>String catalogues (.xcstrings) are not read.</source>
        <translation>不读取字符串目录（.xcstrings）。</translation>
    </message>
</context>
<context>
    <name>CommonJSONTranslationModel</name>
    <message>
        <source>Message ID</source>
        <translation>消息 ID</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>分组</translation>
    </message>
</context>
<context>
    <name>DetailPane</name>
    <message>
        <source>Translation</source>
        <translation>译文</translation>
    </message>
    <message>
        <source>Group: %1</source>
        <translation>分组：%1</translation>
    </message>
    <message>
        <source>Context: %1</source>
        <translation>上下文：%1</translation>
    </message>
    <message>
        <source>Comment: %1</source>
        <translation>注释：%1</translation>
    </message>
    <message>
        <source>Translator comment: %1</source>
        <translation>译者注释：%1</translation>
    </message>
    <message>
        <source>Translation (%1)</source>
        <translation>译文（%1）</translation>
    </message>
</context>
<context>
    <name>FileErrors</name>
    <message numerus="yes">
        <source>…and %n more.</source>
        <translation>
            <numerusform>……以及另外 %n 项。</numerusform>
        </translation>
    </message>
    <message>
        <source>Cannot read the file: %1</source>
        <translation>无法读取文件：%1</translation>
    </message>
    <message>
        <source>Cannot write the file: %1</source>
        <translation>无法写入文件：%1</translation>
    </message>
    <message>
        <source>Not written: the file could not be read completely, and writing it would lose what was not understood.</source>
        <translation>未写入：文件未能完整读取，写入会丢失未能理解的内容。</translation>
    </message>
</context>
<context>
    <name>FilterBar</name>
    <message>
        <source>Filter by message ID, group or text (Ctrl+F)</source>
        <translation>按消息 ID、分组或文本筛选（Ctrl+F）</translation>
    </message>
    <message>
        <source>Regular expression</source>
        <translation>正则表达式</translation>
    </message>
    <message>
        <source>All Rows</source>
        <translation>所有行</translation>
    </message>
    <message>
        <source>Empty in Any Column</source>
        <translation>任一列为空</translation>
    </message>
    <message>
        <source>Empty in Current Column</source>
        <translation>当前列为空</translation>
    </message>
    <message>
        <source>Unfinished or Marked for Review</source>
        <translation>未完成或标记为待审阅</translation>
    </message>
    <message>
        <source>Changed Since Opened</source>
        <translation>打开后已更改</translation>
    </message>
    <message>
        <source>Failed Placeholder Check or Translation</source>
        <translation>占位符检查或翻译失败</translation>
    </message>
</context>
<context>
    <name>GnuTranslationModel</name>
    <message>
        <source>Message ID</source>
        <translation>消息 ID</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>分组</translation>
    </message>
</context>
<context>
    <name>InputRowColumnDialog</name>
    <message>
        <source>Select Row/Column</source>
        <translation>选择行/列</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>行</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>源</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>列</translation>
    </message>
    <message>
        <source>Header</source>
        <translation>表头</translation>
    </message>
</context>
<context>
    <name>JsonNamespace</name>
    <message>
        <source>Not valid JSON: %1</source>
        <translation>不是有效的 JSON：%1</translation>
    </message>
    <message>
        <source>The file holds no JSON object.</source>
        <translation>文件中没有 JSON 对象。</translation>
    </message>
</context>
<context>
    <name>JsonWriter</name>
    <message>
        <source>Not written: no place in the file lets i18next find &quot;%1&quot;, as other members take parts of that key.</source>
        <translation>未写入：文件中没有任何位置能让 i18next 找到“%1”，因为该键的部分已被其他成员占用。</translation>
    </message>
</context>
<context>
    <name>LLMServiceReplyHelper</name>
    <message>
        <source>The response was filtered (%1).</source>
        <translation>响应已被过滤（%1）。</translation>
    </message>
    <message>
        <source>Unexpected response, choices field is missing</source>
        <translation>意外的响应：缺少 choices 字段</translation>
    </message>
    <message>
        <source>Unexpected response, message field is missing</source>
        <translation>意外的响应：缺少 message 字段</translation>
    </message>
    <message>
        <source>Unexpected response, role or content field is missing</source>
        <translation>意外的响应：缺少 role 或 content 字段</translation>
    </message>
    <message>
        <source>Unexpected response, content field is missing</source>
        <translation>意外的响应：缺少 content 字段</translation>
    </message>
    <message>
        <source>Unexpected response, candidates field is missing</source>
        <translation>意外的响应：缺少 candidates 字段</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Parlonex</source>
        <translation>Parlonex</translation>
    </message>
    <message>
        <source>Table View</source>
        <translation>表格视图</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>Recent Opened</source>
        <translation>最近打开</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Translate</source>
        <translation>翻译(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>帮助(&amp;A)</translation>
    </message>
    <message>
        <source>toolBar</source>
        <translation>工具栏</translation>
    </message>
    <message>
        <source>Open translation files...</source>
        <translation>打开翻译文件...</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Import Apple i18n root directory...</source>
        <translation>导入 Apple i18n 根目录...</translation>
    </message>
    <message>
        <source>Ctrl+Alt+A</source>
        <translation>Ctrl+Alt+A</translation>
    </message>
    <message>
        <source>Import Qt TS files directory...</source>
        <translation>导入 Qt TS 文件目录...</translation>
    </message>
    <message>
        <source>Ctrl+Alt+Q</source>
        <translation>Ctrl+Alt+Q</translation>
    </message>
    <message>
        <source>Import GNU PO files directory...</source>
        <translation>导入 GNU PO 文件目录...</translation>
    </message>
    <message>
        <source>Ctrl+Alt+G</source>
        <translation>Ctrl+Alt+G</translation>
    </message>
    <message>
        <source>Import Common JSON files directory...</source>
        <translation>导入通用 JSON 文件目录...</translation>
    </message>
    <message>
        <source>Ctrl+Alt+J</source>
        <translation>Ctrl+Alt+J</translation>
    </message>
    <message>
        <source>Export To Directory</source>
        <translation>导出到目录</translation>
    </message>
    <message>
        <source>Ctrl+E</source>
        <translation>Ctrl+E</translation>
    </message>
    <message>
        <source>Clear history</source>
        <translation>清除历史记录</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>Alt+X</source>
        <translation>Alt+X</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>剪切(&amp;T)</translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation>Ctrl+X</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation>Ctrl+C</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>Ctrl+V</source>
        <translation>Ctrl+V</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>Del</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Ctrl+A</source>
        <translation>Ctrl+A</translation>
    </message>
    <message>
        <source>Preferences...</source>
        <translation>首选项...</translation>
    </message>
    <message>
        <source>Translate Current Cell</source>
        <translation>翻译当前单元格</translation>
    </message>
    <message>
        <source>Ctrl+T</source>
        <translation>Ctrl+T</translation>
    </message>
    <message>
        <source>Translate Selected Cells</source>
        <translation>翻译所选单元格</translation>
    </message>
    <message>
        <source>Translate Selected Empty Cells</source>
        <translation>翻译所选空单元格</translation>
    </message>
    <message>
        <source>Translate Current Row</source>
        <translation>翻译当前行</translation>
    </message>
    <message>
        <source>Ctrl+Shift+T</source>
        <translation>Ctrl+Shift+T</translation>
    </message>
    <message>
        <source>Translate Empty Cells In Current Row</source>
        <translation>翻译当前行中的空单元格</translation>
    </message>
    <message>
        <source>Translate Current Column</source>
        <translation>翻译当前列</translation>
    </message>
    <message>
        <source>Ctrl+Alt+T</source>
        <translation>Ctrl+Alt+T</translation>
    </message>
    <message>
        <source>Translate Empty Cells In Current Column</source>
        <translation>翻译当前列中的空单元格</translation>
    </message>
    <message>
        <source>Translate All</source>
        <translation>全部翻译</translation>
    </message>
    <message>
        <source>Ctrl+Alt+Shift+T</source>
        <translation>Ctrl+Alt+Shift+T</translation>
    </message>
    <message>
        <source>Translate All Empty Cells</source>
        <translation>翻译所有空单元格</translation>
    </message>
    <message>
        <source>Convert from zh_CN to zh_TW</source>
        <translation>从 zh_CN 转换为 zh_TW</translation>
    </message>
    <message>
        <source>Convert from zh_CN to zh_HK</source>
        <translation>从 zh_CN 转换为 zh_HK</translation>
    </message>
    <message>
        <source>Convert from zh_TW to zh_CN</source>
        <translation>从 zh_TW 转换为 zh_CN</translation>
    </message>
    <message>
        <source>Convert from zh_HK to zh_CN</source>
        <translation>从 zh_HK 转换为 zh_CN</translation>
    </message>
    <message>
        <source>All Cells In Current Row Copy Source Text</source>
        <translation>当前行所有单元格复制源文本</translation>
    </message>
    <message>
        <source>All Cells In Current Column Copy Source Text</source>
        <translation>当前列所有单元格复制源文本</translation>
    </message>
    <message>
        <source>All Cells In Current Row Copy Text From Row...</source>
        <translation>当前行所有单元格从指定行复制文本...</translation>
    </message>
    <message>
        <source>All Cells In Current Column Copy Text From Column...</source>
        <translation>当前列所有单元格从指定列复制文本...</translation>
    </message>
    <message>
        <source>Use Current Column As Source</source>
        <translation>将当前列用作源</translation>
    </message>
    <message>
        <source>User Manual...</source>
        <translation>用户手册...</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <source>Homepage...</source>
        <translation>主页...</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>关于...</translation>
    </message>
    <message>
        <source>Stop Translating</source>
        <translation>停止翻译</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Do you want to quit the application?</source>
        <translation>确定要退出应用程序吗？</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Please configure the LLM service first.</source>
        <translation>请先配置 LLM 服务。</translation>
    </message>
    <message>
        <source>Open Translation Files</source>
        <translation>打开翻译文件</translation>
    </message>
    <message>
        <source>All Supported Files (*.strings *.xcstrings *.ts *.po *.json);;Apple Strings Files (*.strings *.xcstrings);;Qt TS Files (*.ts);;GNU Po Files (*.po);;Common JSON Files (*.json)</source>
        <translation>所有支持的文件 (*.strings *.xcstrings *.ts *.po *.json);;Apple Strings 文件 (*.strings *.xcstrings);;Qt TS 文件 (*.ts);;GNU PO 文件 (*.po);;通用 JSON 文件 (*.json)</translation>
    </message>
    <message>
        <source>All files must have the same type.</source>
        <translation>所有文件的类型必须相同。</translation>
    </message>
    <message>
        <source>Find directory contains Apple .lproj directories</source>
        <translation>选择包含 Apple .lproj 目录的目录</translation>
    </message>
    <message>
        <source>Find directory contains Qt .ts files</source>
        <translation>选择包含 Qt .ts 文件的目录</translation>
    </message>
    <message>
        <source>Find directory contains GNU .po files</source>
        <translation>选择包含 GNU .po 文件的目录</translation>
    </message>
    <message>
        <source>Find directory contains common .json files</source>
        <translation>选择包含通用 .json 文件的目录</translation>
    </message>
    <message>
        <source>Notice</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Exported to %1 successfully</source>
        <translation>已成功导出到 %1</translation>
    </message>
    <message>
        <source>Exporting to %1 failed</source>
        <translation>导出到 %1 失败</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>Saving to file %1 successfully.</source>
        <translation>已成功保存到文件 %1。</translation>
    </message>
    <message>
        <source>Failed to save to file %1.</source>
        <translation>保存到文件 %1 失败。</translation>
    </message>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 不存在。</translation>
    </message>
    <message>
        <source>No translations found in %1.</source>
        <translation>在 %1 中未找到翻译。</translation>
    </message>
    <message>
        <source>Could not read %1.</source>
        <translation>无法读取 %1。</translation>
    </message>
    <message>
        <source>Do you want to delete these cells&apos; value?</source>
        <translation>确定要删除这些单元格的内容吗？</translation>
    </message>
    <message>
        <source>Current column is the source column</source>
        <translation>当前列是源列</translation>
    </message>
    <message>
        <source>The source column and the target column are identical.</source>
        <translation>源列与目标列相同。</translation>
    </message>
    <message numerus="yes">
        <source>Overwrite %n translated cells?</source>
        <translation>
            <numerusform>覆盖 %n 个已翻译的单元格吗？</numerusform>
        </translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>覆盖</translation>
    </message>
    <message>
        <source>Only Empty Cells</source>
        <translation>仅空单元格</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Can&apos;t find %1 column</source>
        <translation>找不到 %1 列</translation>
    </message>
    <message>
        <source>Can&apos;t find column with name %1</source>
        <translation>找不到名为 %1 的列</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Translate[Default Prompt]</source>
        <translation>翻译[默认提示词]</translation>
    </message>
    <message>
        <source>Translate[Preset Prompts]</source>
        <translation>翻译[预设提示词]</translation>
    </message>
    <message>
        <source>Copy Source</source>
        <translation>复制源文本</translation>
    </message>
    <message>
        <source>Copy %1</source>
        <translation>复制 %1</translation>
    </message>
    <message>
        <source>Convert From %1</source>
        <translation>从 %1 转换</translation>
    </message>
    <message>
        <source>Translate All Cells In This Column</source>
        <translation>翻译此列所有单元格</translation>
    </message>
    <message>
        <source>Translate All Cells In This Row</source>
        <translation>翻译此行所有单元格</translation>
    </message>
    <message>
        <source>Translate All Empty Cells In This Column</source>
        <translation>翻译此列所有空单元格</translation>
    </message>
    <message>
        <source>Translate All Empty Cells In This Row</source>
        <translation>翻译此行所有空单元格</translation>
    </message>
    <message>
        <source>All Cells In This Column Copy Source Text</source>
        <translation>此列所有单元格复制源文本</translation>
    </message>
    <message>
        <source>All Cells In This Row Copy Source Text</source>
        <translation>此行所有单元格复制源文本</translation>
    </message>
    <message>
        <source>All Cells In This Column Copy From Column...</source>
        <translation>此列所有单元格从指定列复制...</translation>
    </message>
    <message>
        <source>All Cells In This Row Copy From Row...</source>
        <translation>此行所有单元格从指定行复制...</translation>
    </message>
    <message>
        <source>Use This Column As Source</source>
        <translation>将此列用作源</translation>
    </message>
    <message>
        <source>Mark All Cells In This Column As Finished</source>
        <translation>将此列所有单元格标记为已完成</translation>
    </message>
    <message>
        <source>Mark All Cells In This Column As Unfinished</source>
        <translation>将此列所有单元格标记为未完成</translation>
    </message>
    <message>
        <source>Mark All Cells In This Row As Finished</source>
        <translation>将此行所有单元格标记为已完成</translation>
    </message>
    <message>
        <source>Mark All Cells In This Row As Unfinished</source>
        <translation>将此行所有单元格标记为未完成</translation>
    </message>
    <message>
        <source>Mark This Cell As Finished</source>
        <translation>将此单元格标记为已完成</translation>
    </message>
    <message>
        <source>Mark This Cell As Unfinished</source>
        <translation>将此单元格标记为未完成</translation>
    </message>
    <message>
        <source>Save Current Column To File</source>
        <translation>将当前列保存到文件</translation>
    </message>
    <message>
        <source>Check Placeholders</source>
        <translation>检查占位符</translation>
    </message>
    <message>
        <source>Mark the cells whose placeholders, tags, accelerators or line breaks differ from their source</source>
        <translation>标记占位符、标签、快捷键或换行与原文不同的单元格</translation>
    </message>
    <message>
        <source>Translation stopped: another set was opened.</source>
        <translation>翻译已停止：已打开另一组文件。</translation>
    </message>
    <message>
        <source>Every translation keeps the placeholders, tags, accelerators and line breaks of its source.</source>
        <translation>每条翻译都保留了原文的占位符、标签、快捷键和换行。</translation>
    </message>
    <message numerus="yes">
        <source>%n cell(s) lose or add placeholders, tags, accelerators or line breaks. They are marked; their tool tips say what differs.</source>
        <translation>
            <numerusform>%n 个单元格丢失或多出了占位符、标签、快捷键或换行。它们已被标记，工具提示会说明差异。</numerusform>
        </translation>
    </message>
    <message>
        <source>Some files of %1 could not be read completely.</source>
        <translation>%1 中的部分文件未能完整读取。</translation>
    </message>
    <message>
        <source>Open translation files (Ctrl+O) or import a folder</source>
        <translation>打开翻译文件（Ctrl+O）或导入文件夹</translation>
    </message>
    <message>
        <source>Alt+1</source>
        <translation>Alt+1</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>Ctrl+Shift+Z</source>
        <translation>Ctrl+Shift+Z</translation>
    </message>
    <message>
        <source>Find and Filter</source>
        <translation>查找和筛选</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>查找下一个</translation>
    </message>
    <message>
        <source>F3</source>
        <translation>F3</translation>
    </message>
    <message>
        <source>Find Previous</source>
        <translation>查找上一个</translation>
    </message>
    <message>
        <source>Shift+F3</source>
        <translation>Shift+F3</translation>
    </message>
    <message>
        <source>Next Untranslated</source>
        <translation>下一个未翻译单元格</translation>
    </message>
    <message>
        <source>Ctrl+J</source>
        <translation>Ctrl+J</translation>
    </message>
    <message>
        <source>Detail Pane</source>
        <translation>详细信息面板</translation>
    </message>
    <message>
        <source>No cell holds &quot;%1&quot;.</source>
        <translation>没有单元格包含“%1”。</translation>
    </message>
    <message>
        <source>No cell of %1 is empty or unfinished.</source>
        <translation>%1 中没有空的或未完成的单元格。</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>撤销 %1(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>重做 %1(&amp;R)</translation>
    </message>
    <message>
        <source>Unexported Changes</source>
        <translation>未导出的更改</translation>
    </message>
    <message>
        <source>The translations in %1 have changes that are not exported.</source>
        <translation>%1 中的翻译有尚未导出的更改。</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>放弃</translation>
    </message>
    <message>
        <source>Drop one folder, or translation files of one type.</source>
        <translation>请拖放一个文件夹，或同一类型的翻译文件。</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %Ln rows</source>
        <translation>
            <numerusform>%1 / %Ln 行</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>The current column&apos;s language and how much of it is translated</extracomment>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>%1 in %2 from %3</source>
        <extracomment>&quot;2,066 messages in 28 languages from /home/me/app/translations&quot;</extracomment>
        <translation>来自 %3 的 %1，共 %2</translation>
    </message>
    <message numerus="yes">
        <source>%Ln messages</source>
        <translation>
            <numerusform>%Ln 条消息</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln languages</source>
        <translation>
            <numerusform>%Ln 种语言</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 / %Ln cells, %2 failed, next request in %3 s</source>
        <translation>
            <numerusform>%1 / %Ln 个单元格，%2 个失败，%3 秒后发送下一个请求</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 / %Ln cells, %2 failed</source>
        <translation>
            <numerusform>%1 / %Ln 个单元格，%2 个失败</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>NetworkReplyHelper</name>
    <message>
        <source>The response is too large.</source>
        <translation>响应过大。</translation>
    </message>
</context>
<context>
    <name>OutputTextDialog</name>
    <message>
        <source>Output</source>
        <translation>输出</translation>
    </message>
</context>
<context>
    <name>PlaceholderCheck</name>
    <message>
        <source>Missing: %1</source>
        <translation>缺少：%1</translation>
    </message>
    <message>
        <source>Not in the source: %1</source>
        <translation>原文中没有：%1</translation>
    </message>
    <message>
        <source>The keyboard accelerator (&amp;) is missing</source>
        <translation>缺少键盘快捷键 (&amp;)</translation>
    </message>
    <message>
        <source>A keyboard accelerator (&amp;) that is not in the source</source>
        <translation>原文中没有的键盘快捷键 (&amp;)</translation>
    </message>
    <message>
        <source>The line breaks at the start differ from the source</source>
        <translation>开头的换行与原文不同</translation>
    </message>
    <message>
        <source>The line breaks at the end differ from the source</source>
        <translation>结尾的换行与原文不同</translation>
    </message>
</context>
<context>
    <name>PoWriter</name>
    <message>
        <source>the library could not write the catalogue</source>
        <translation>程序库无法写入该目录文件</translation>
    </message>
    <message>
        <source>the written catalogue was incomplete</source>
        <translation>写入的目录文件不完整</translation>
    </message>
    <message>
        <source>not a PO catalogue</source>
        <translation>不是 PO 目录文件</translation>
    </message>
    <message>
        <source>The catalogue&apos;s character set %1 is not supported.</source>
        <translation>不支持该目录文件的字符集 %1。</translation>
    </message>
    <message numerus="yes">
        <source>%n message(s) are not text in the catalogue&apos;s character set %1.</source>
        <translation>
            <numerusform>%n 条消息不是该目录文件字符集 %1 中的文本。</numerusform>
        </translation>
    </message>
    <message>
        <source>Not written: no catalogue of the language %1 holds the group %2, and there is no folder of that language to create it in.</source>
        <translation>未写入：语言 %1 的目录文件中都没有分组 %2，也没有该语言的文件夹可供新建。</translation>
    </message>
    <message>
        <source>The new catalogue could not be created.</source>
        <translation>无法创建新的目录文件。</translation>
    </message>
    <message>
        <source>Not written: the translation of &quot;%1&quot; cannot be written in the catalogue&apos;s character set %2.</source>
        <translation>未写入：“%1”的译文无法用该目录文件的字符集 %2 写入。</translation>
    </message>
    <message numerus="yes">
        <source>%n translation(s) written as fuzzy, as gettext would reject them: %1</source>
        <translation>
            <numerusform>%n 条译文已标记为 fuzzy 写入，因为 gettext 会拒绝它们：%1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>Preferences</source>
        <translation>首选项</translation>
    </message>
    <message>
        <source>LLM</source>
        <translation>LLM</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Service</source>
        <translation>服务</translation>
    </message>
    <message>
        <source>API Url</source>
        <translation>API 地址</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>模型</translation>
    </message>
    <message>
        <source>Fetch the list of models from the service</source>
        <translation>从服务获取模型列表</translation>
    </message>
    <message>
        <source>Fetch Models</source>
        <translation>获取模型</translation>
    </message>
    <message>
        <source>API Key</source>
        <translation>API 密钥</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;#&quot; style=&quot;color:#503a22; text-decoration:underline;&quot;&gt;Get API Key&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;#&quot; style=&quot;color:#503a22; text-decoration:underline;&quot;&gt;获取 API 密钥&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Add LLM model</source>
        <translation>添加 LLM 模型</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Remove the selected LLM model</source>
        <translation>移除所选 LLM 模型</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>Save modified LLM model</source>
        <translation>保存修改后的 LLM 模型</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Used</source>
        <translation>已使用</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Validate</source>
        <translation>验证</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>提示词</translation>
    </message>
    <message>
        <source>System Prompt</source>
        <translation>系统提示词</translation>
    </message>
    <message>
        <source>Assistant Prompt</source>
        <translation>助手提示词</translation>
    </message>
    <message>
        <source>User Prompt</source>
        <translation>用户提示词</translation>
    </message>
    <message>
        <source>Presets:</source>
        <translation>预设：</translation>
    </message>
    <message>
        <source>Fill default prompt</source>
        <translation>填入默认提示词</translation>
    </message>
    <message>
        <source>Use Preset</source>
        <translation>使用预设</translation>
    </message>
    <message>
        <source>Add prompt</source>
        <translation>添加提示词</translation>
    </message>
    <message>
        <source>Remove the selected prompt</source>
        <translation>移除所选提示词</translation>
    </message>
    <message>
        <source>Save modified prompt</source>
        <translation>保存修改后的提示词</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>测试</translation>
    </message>
    <message>
        <source>Translate</source>
        <translation>翻译</translation>
    </message>
    <message>
        <source>Source Language</source>
        <translation>源语言</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Country/Region</source>
        <translation>国家/地区</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Add LLM Configuration</source>
        <translation>添加 LLM 配置</translation>
    </message>
    <message>
        <source>The LLM configuration name, API URL and API key cannot be empty.</source>
        <translation>LLM 配置的名称、API 地址和 API 密钥不能为空。</translation>
    </message>
    <message>
        <source>The LLM configuration already exists.</source>
        <translation>该 LLM 配置已存在。</translation>
    </message>
    <message>
        <source>Remove LLM Configuration</source>
        <translation>移除 LLM 配置</translation>
    </message>
    <message>
        <source>Are you sure you want to remove this LLM configuration?
This operation cannot be undone.</source>
        <translation>确定要移除此 LLM 配置吗？
此操作无法撤销。</translation>
    </message>
    <message>
        <source>Apply LLM Configuration</source>
        <translation>应用 LLM 配置</translation>
    </message>
    <message>
        <source>The LLM configuration has been modified. Are you sure you want to apply the LLM configuration?</source>
        <translation>LLM 配置已被修改。确定要应用此 LLM 配置吗？</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>The service gave no answer.</source>
        <translation>服务没有返回应答。</translation>
    </message>
    <message>
        <source>Validate LLM Service</source>
        <translation>验证 LLM 服务</translation>
    </message>
    <message>
        <source>The API URL &quot;%1&quot; offers no model list.</source>
        <translation>API 地址“%1”不提供模型列表。</translation>
    </message>
    <message>
        <source>The list of models could not be fetched: %1</source>
        <translation>无法获取模型列表：%1</translation>
    </message>
    <message>
        <source>Apply Prompt</source>
        <translation>应用提示词</translation>
    </message>
    <message>
        <source>The prompt has been modified. Are you sure you want to apply the prompt?</source>
        <translation>提示词已被修改。确定要应用此提示词吗？</translation>
    </message>
    <message>
        <source>Add Prompt</source>
        <translation>添加提示词</translation>
    </message>
    <message>
        <source>The prompt name cannot be empty.</source>
        <translation>提示词名称不能为空。</translation>
    </message>
    <message>
        <source>The prompt name already exists.</source>
        <translation>该提示词名称已存在。</translation>
    </message>
    <message>
        <source>Remove Prompt</source>
        <translation>移除提示词</translation>
    </message>
    <message>
        <source>Are you sure you want to remove this prompt?</source>
        <translation>确定要移除此提示词吗？</translation>
    </message>
    <message>
        <source>Any Territory</source>
        <translation>任意地区</translation>
    </message>
    <message>
        <source>Requests at a time</source>
        <translation>同时请求数</translation>
    </message>
    <message>
        <source>How many translation requests may be sent to the service at once</source>
        <translation>可同时发送给服务的翻译请求数量</translation>
    </message>
    <message>
        <source>Mark LLM translations for review</source>
        <translation>将 LLM 翻译标记为待审阅</translation>
    </message>
    <message>
        <source>Cells filled by the LLM stay marked for review until you edit or confirm them</source>
        <translation>由 LLM 填写的单元格会保持待审阅标记，直到您编辑或确认它们</translation>
    </message>
    <message>
        <source>Deployment name</source>
        <translation>部署名称</translation>
    </message>
    <message>
        <source>Show the API key in clear text</source>
        <translation>以明文显示 API 密钥</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>显示</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>The prompt has been modified. Are you sure you want to replace it with the preset %1?</source>
        <translation>提示词已修改。确定要用预设 %1 替换它吗？</translation>
    </message>
</context>
<context>
    <name>QtTranslationModel</name>
    <message>
        <source>Original Text</source>
        <translation>原文</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>分组</translation>
    </message>
    <message>
        <source>The file name does not end in a language code, such as app_de.ts or app_pt_BR.ts.</source>
        <translation>文件名没有以语言代码结尾，例如 app_de.ts 或 app_pt_BR.ts。</translation>
    </message>
    <message>
        <source>No file of the language %1 (named like app_%1.ts) is in this folder.</source>
        <translation>此文件夹中没有语言 %1 的文件（命名如 app_%1.ts）。</translation>
    </message>
</context>
<context>
    <name>ServiceCatalog</name>
    <message>
        <source>The model list is not a JSON object: %1</source>
        <translation>模型列表不是 JSON 对象：%1</translation>
    </message>
    <message>
        <source>unexpected document</source>
        <translation>意外的文档</translation>
    </message>
    <message>
        <source>The service listed no models.</source>
        <translation>该服务未列出任何模型。</translation>
    </message>
</context>
<context>
    <name>SourceModel</name>
    <message>
        <source>Group</source>
        <translation>分组</translation>
    </message>
    <message>
        <source>%1 [%2]</source>
        <comment>message ID [context]</comment>
        <translation>%1 [%2]</translation>
    </message>
</context>
<context>
    <name>StringsParser</name>
    <message>
        <source>missing &apos;}&apos;</source>
        <translation>缺少“}”</translation>
    </message>
    <message>
        <source>text after the closing &apos;}&apos;</source>
        <translation>结尾的“}”之后还有文本</translation>
    </message>
    <message>
        <source>unterminated comment</source>
        <translation>注释未结束</translation>
    </message>
    <message>
        <source>unexpected end of file</source>
        <translation>文件意外结束</translation>
    </message>
    <message>
        <source>unterminated quoted string</source>
        <translation>带引号的字符串未结束</translation>
    </message>
    <message>
        <source>unexpected character &apos;%1&apos;</source>
        <translation>意外的字符“%1”</translation>
    </message>
    <message>
        <source>expected &apos;=&apos; after &quot;%1&quot;</source>
        <translation>“%1”之后应为“=”</translation>
    </message>
    <message>
        <source>missing &apos;;&apos; after &quot;%1&quot;</source>
        <translation>“%1”之后缺少“;”</translation>
    </message>
    <message>
        <source>not a text in its encoding</source>
        <translation>不是其编码下的文本</translation>
    </message>
    <message>
        <source>Syntax error: %1</source>
        <translation>语法错误：%1</translation>
    </message>
</context>
<context>
    <name>TranslationAnswer</name>
    <message>
        <source>Invalid JSON document, row count mismatch</source>
        <translation>无效的 JSON 文档：行数不匹配</translation>
    </message>
    <message>
        <source>Invalid JSON document</source>
        <translation>无效的 JSON 文档</translation>
    </message>
</context>
<context>
    <name>TranslationModel</name>
    <message>
        <source>Not written: there is no folder for the language %1.</source>
        <translation>未写入：没有语言 %1 的文件夹。</translation>
    </message>
    <message>
        <source>there is no such folder</source>
        <translation>没有这个文件夹</translation>
    </message>
    <message>
        <source>Edit Cell</source>
        <translation>编辑单元格</translation>
    </message>
    <message>
        <source>Edit Cells</source>
        <translation>编辑多个单元格</translation>
    </message>
    <message>
        <source>Mark Cell</source>
        <translation>标记单元格</translation>
    </message>
    <message numerus="yes">
        <source>%L1 of %Ln translated</source>
        <translation>
            <numerusform>已翻译 %L1 / %Ln</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %Ln unfinished</source>
        <translation>
            <numerusform>，%Ln 个未完成</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TranslationQueue</name>
    <message>
        <source>Translating...</source>
        <translation>正在翻译...</translation>
    </message>
    <message>
        <source>No cell has been translated.</source>
        <translation>没有翻译任何单元格。</translation>
    </message>
    <message>
        <source>Translation stopped.</source>
        <translation>翻译已停止。</translation>
    </message>
    <message numerus="yes">
        <source>%Ln cell(s) translated, %1 failed, %2 tokens</source>
        <translation>
            <numerusform>已翻译 %Ln 个单元格，%1 个失败，%2 个词元</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln cell(s) translated, %1 failed</source>
        <translation>
            <numerusform>已翻译 %Ln 个单元格，%1 个失败</numerusform>
        </translation>
    </message>
    <message>
        <source>The answer was cut off at the service&apos;s output limit.</source>
        <translation>回答在服务的输出上限处被截断。</translation>
    </message>
    <message>
        <source>The service gave no translation for this text.</source>
        <translation>服务没有为此文本提供翻译。</translation>
    </message>
    <message>
        <source>Not translated: %1</source>
        <translation>未翻译：%1</translation>
    </message>
    <message>
        <source>Translation stopped: %1</source>
        <translation>翻译已停止：%1</translation>
    </message>
    <message>
        <source>Translate Cell %1</source>
        <translation>翻译单元格 %1</translation>
    </message>
    <message>
        <source>Translate Column %1</source>
        <translation>翻译列 %1</translation>
    </message>
    <message>
        <source>Translate Row %1</source>
        <translation>翻译第 %1 行</translation>
    </message>
    <message numerus="yes">
        <source>Totally %n cell(s) has/have been translated.</source>
        <translation>
            <numerusform>共翻译了 %n 个单元格。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n job(s) in a row failed: %1</source>
        <translation>
            <numerusform>连续 %n 个任务失败：%1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TsFile</name>
    <message>
        <source>The file&apos;s encoding %1 is not supported.</source>
        <translation>不支持该文件的编码 %1。</translation>
    </message>
    <message>
        <source>The file is not a text in its encoding.</source>
        <translation>该文件不是其编码下的文本。</translation>
    </message>
    <message>
        <source>The file is not well-formed XML: %1.</source>
        <translation>该文件不是格式正确的 XML：%1。</translation>
    </message>
</context>
<context>
    <name>WebView2Widget</name>
    <message>
        <source>This page opens in your web browser:</source>
        <translation>此页面将在您的网页浏览器中打开：</translation>
    </message>
</context>
<context>
    <name>XmlScanner</name>
    <message>
        <source>the character U+%1 is not allowed in XML</source>
        <translation>XML 中不允许字符 U+%1</translation>
    </message>
    <message>
        <source>a malformed reference starting with &apos;&amp;&apos;</source>
        <translation>以“&amp;”开头的引用格式错误</translation>
    </message>
    <message>
        <source>text outside the root element</source>
        <translation>根元素之外有文本</translation>
    </message>
    <message>
        <source>a comment without its end</source>
        <translation>注释没有结尾</translation>
    </message>
    <message>
        <source>a processing instruction without its end</source>
        <translation>处理指令没有结尾</translation>
    </message>
    <message>
        <source>a misplaced or unfinished CDATA section</source>
        <translation>CDATA 段位置错误或未结束</translation>
    </message>
    <message>
        <source>a misplaced or unfinished document type</source>
        <translation>文档类型声明位置错误或未结束</translation>
    </message>
    <message>
        <source>a malformed tag</source>
        <translation>标签格式错误</translation>
    </message>
    <message>
        <source>the file ends before &lt;/%1&gt;</source>
        <translation>文件在 &lt;/%1&gt; 之前结束</translation>
    </message>
    <message>
        <source>the file holds no XML element</source>
        <translation>文件中没有 XML 元素</translation>
    </message>
    <message>
        <source>a second root element</source>
        <translation>出现第二个根元素</translation>
    </message>
    <message>
        <source>&lt;/%1&gt; does not close the open element</source>
        <translation>&lt;/%1&gt; 没有关闭当前打开的元素</translation>
    </message>
</context>
</TS>

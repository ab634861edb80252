object E2eForm: TForm
  Left = 100
  Top = 80
  BorderStyle = bsSingle
  Caption = 'E2E Form'
  ClientHeight = 300
  ClientWidth = 400
  Color = clTeal
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Icon.Data = {
    0000010001000202000001000400480000001600000028000000020000000400
    0000010004000000000000000000000000000000000004000000000000000000
    FF0000FF0000FF000000FFFFFF0023000000010000004000000000000000}
  PixelsPerInch = 96
  TextHeight = 13
  object NameLabel: TLabel
    Left = 10
    Top = 12
    Width = 40
    Height = 13
    Caption = 'Name:'
  end
  object NameEdit: TEdit
    Left = 60
    Top = 8
    Width = 150
    Height = 21
    TabOrder = 0
  end
  object TickBox: TCheckBox
    Left = 10
    Top = 40
    Width = 120
    Height = 17
    Caption = 'Tick me'
    TabOrder = 1
  end
  object AskButton: TButton
    Left = 10
    Top = 70
    Width = 75
    Height = 25
    Caption = 'Ask'
    TabOrder = 2
  end
  object WarpButton: TButton
    Left = 100
    Top = 70
    Width = 75
    Height = 25
    Caption = 'Warp'
    TabOrder = 3
  end
  object MoveButton: TButton
    Left = 10
    Top = 105
    Width = 75
    Height = 25
    Caption = 'Move'
    TabOrder = 6
  end
  object ScribbleButton: TButton
    Left = 100
    Top = 105
    Width = 75
    Height = 25
    Caption = 'Scribble'
    TabOrder = 7
  end
  object ColourPanel: TPanel
    Left = 220
    Top = 40
    Width = 160
    Height = 80
    Caption = ' '
    Color = clYellow
    ParentColor = False
    TabOrder = 4
  end
  object Fruit: TListBox
    Left = 10
    Top = 140
    Width = 120
    Height = 60
    ItemHeight = 13
    Items.Strings = (
      'apple'
      'banana')
    TabOrder = 5
  end
end

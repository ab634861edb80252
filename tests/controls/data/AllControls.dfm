object ControlsForm: TControlsForm
  Left = 200
  Top = 120
  BorderStyle = bsDialog
  Caption = 'Every control'
  ClientHeight = 373
  ClientWidth = 494
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 13
  object NameLabel: TLabel
    Left = 8
    Top = 12
    Width = 32
    Height = 13
    Caption = '&Name:'
    Color = clInfoBk
    ParentColor = False
    Transparent = True
  end
  object WrapLabel: TLabel
    Left = 8
    Top = 200
    Width = 120
    Height = 40
    Alignment = taCenter
    AutoSize = False
    Caption = 'A longer text that wraps'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clRed
    Font.Height = -13
    Font.Name = 'Arial'
    Font.Style = [fsBold]
    ParentFont = False
    Layout = tlCenter
    WordWrap = True
    OnClick = LabelClick
  end
  object Bevel1: TBevel
    Left = 8
    Top = 248
    Width = 470
    Height = 2
    Shape = bsTopLine
  end
  object BoldButton: TSpeedButton
    Left = 140
    Top = 200
    Width = 23
    Height = 22
    AllowAllUp = True
    GroupIndex = 1
    Down = True
    Caption = 'B'
    Flat = True
    OnClick = BoldClick
  end
  object Hinted: TLabel
    Left = 260
    Top = 250
    Width = 40
    Height = 13
    Anchors = [akTop, akRight]
    Constraints.MinWidth = 40
    Cursor = crHandPoint
    Hint = 'Click me'
    ParentShowHint = False
    PopupMenu = Popup
    ShowHint = True
    Caption = 'Hinted'
    ExplicitLeft = 258
  end
  object NameEdit: TEdit
    Left = 48
    Top = 8
    Width = 121
    Height = 21
    MaxLength = 40
    TabOrder = 0
    Text = 'Fred'
    OnChange = NameChange
  end
  object Notes: TEdit
    Left = 48
    Top = 36
    Width = 121
    Height = 21
    BorderStyle = bsNone
    ParentColor = True
    ReadOnly = True
    TabOrder = 1
  end
  object Agree: TCheckBox
    Left = 8
    Top = 64
    Width = 97
    Height = 17
    AllowGrayed = True
    Caption = 'I agree'
    State = cbGrayed
    TabOrder = 2
    OnClick = AgreeClick
  end
  object Small: TRadioButton
    Left = 8
    Top = 88
    Width = 113
    Height = 17
    Caption = 'Small'
    TabOrder = 3
  end
  object Large: TRadioButton
    Left = 8
    Top = 108
    Width = 113
    Height = 17
    Alignment = taLeftJustify
    Caption = 'Large'
    Checked = True
    TabOrder = 4
    TabStop = False
  end
  object Fruit: TListBox
    Left = 200
    Top = 8
    Width = 121
    Height = 97
    Columns = 2
    ItemHeight = 13
    Items.Strings = (
      'apple'
      'Banana'
      'cherry')
    Sorted = True
    TabOrder = 5
    OnClick = FruitClick
  end
  object Tasks: TCheckListBox
    Left = 330
    Top = 8
    Width = 150
    Height = 97
    AllowGrayed = True
    Color = clInfoBk
    ItemHeight = 18
    Items.Strings = (
      'Write'
      'Test'
      'Ship')
    TabOrder = 6
    OnClickCheck = TasksClickCheck
  end
  object Buttons: TPanel
    Left = 0
    Top = 332
    Width = 494
    Height = 41
    Align = alBottom
    BevelInner = bvLowered
    BevelWidth = 2
    BorderWidth = 4
    Caption = ' '
    TabOrder = 7
    object OkButton: TButton
      Left = 320
      Top = 8
      Width = 75
      Height = 25
      Caption = 'OK'
      Default = True
      ModalResult = 1
      TabOrder = 0
    end
    object CancelButton: TButton
      Left = 404
      Top = 8
      Width = 75
      Height = 25
      Cancel = True
      Caption = 'Cancel'
      ModalResult = 2
      TabOrder = 1
      OnClick = CancelClick
    end
  end
  object Shipping: TGroupBox
    Left = 200
    Top = 112
    Width = 280
    Height = 80
    Caption = 'Shipping'
    Color = clInfoBk
    ParentColor = False
    TabOrder = 8
    object Express: TCheckBox
      Left = 2
      Top = 15
      Width = 276
      Height = 17
      Align = alTop
      Caption = 'Express'
      TabOrder = 0
    end
    object Address: TEdit
      Left = 12
      Top = 44
      Width = 200
      Height = 21
      TabOrder = 1
    end
  end
  object Pages: TPageControl
    Left = 8
    Top = 250
    Width = 240
    Height = 110
    Anchors = [akLeft, akTop, akRight, akBottom]
    ActivePage = Second
    TabOrder = 9
    object First: TTabSheet
      Caption = 'First'
      object Notes2: TMemo
        Left = 4
        Top = 4
        Width = 120
        Height = 60
        Lines.Strings = (
          'one'
          'two')
        ScrollBars = ssVertical
        TabOrder = 0
      end
    end
    object Second: TTabSheet
      Caption = 'Second'
      ImageIndex = 1
      object Choice: TComboBox
        Left = 4
        Top = 4
        Width = 120
        Height = 21
        ItemHeight = 13
        Style = csDropDownList
        TabOrder = 0
        Text = 'Green'
        Items.Strings = (
          'Red'
          'Green')
        ItemIndex = 1
      end
    end
  end
  object Bar: TStatusBar
    Left = 0
    Top = 313
    Width = 494
    Height = 19
    Panels = <
      item
        Text = 'Ready'
        Width = 120
      end
      item
        Bevel = pbRaised
        Text = 'Two'
        Width = 50
      end>
  end
  object Popup: TPopupMenu
    Left = 300
    Top = 280
    object Copy1: TMenuItem
      Action = CopyAction
      ShortCut = 16451
    end
  end
  object Actions: TActionList
    Left = 340
    Top = 280
    object CopyAction: TAction
      Caption = '&Copy'
      Category = 'Edit'
      ShortCut = 16451
    end
  end
end
